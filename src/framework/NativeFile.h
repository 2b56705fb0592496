#pragma once

#include <QString>
#include <filesystem>
#include <string>

class QFile;

// Files named as the system names them. On POSIX a name is bytes that need not be text, and
// Qt 6 reads every name as UTF-8, so a name such as "old\xE9.bod" would open another file;
// here the bytes reach the system unchanged. Every platform difference of opening, creating,
// syncing and sharing a file by such a name lives here, and of who owns a file or a socket.
namespace NativeFile {

using Name = std::filesystem::path;

// A name from bodtool's command line, as the user typed it: bytes on POSIX, UTF-8 on Windows.
Name FromArgument(const std::string& strArgument);
// A name from Qt (its dialogs, its settings).
Name FromQt(const QString& strName);
// The name for a message or a title; a byte that is not text shows as U+FFFD.
QString ToDisplay(const Name& name);
// A short text that stands for the file's absolute path, to name files about it elsewhere.
QString Digest(const Name& name);

enum class Mode {
    Read,
    ReadWrite,
    // A new file that must not exist yet, readable and writable by whom the umask allows.
    CreateNew,
    // A new file that must not exist yet, readable and writable by its owner only.
    CreatePrivate,
};

// Opens name in file. Returns an empty string on success, else why it failed. A pipe without a
// writer does not block the opening.
QString Open(QFile& file, const Name& name, Mode mode);
// Whether the user may write to the existing file name.
bool IsWritable(const Name& name);
// What is at a name: nothing this user can reach, a file of bytes on a disk, or something else (a
// folder, a device, a pipe), whose reading would never end or wait forever for a writer.
enum class Kind { Missing, File, Other };
Kind KindOf(const Name& name);
// Whether the existing file name has another name too (a hard link), which a new file put in
// its place would not take.
bool HasOtherNames(const Name& name);
// Asks the system to put the file's bytes on the disk; false when it reports a failure.
bool SyncToDisk(QFile& file);

// Whether the link may be followed by this user under the rule the kernel applies to links in
// shared folders: not when the folder is sticky and world-writable (a temporary folder) and the
// link belongs to another account that does not own the folder either.
bool MayFollowLink(const Name& link);
// Gives the open file the owner, group and mode of the file at original, which it is about to
// replace. Returns an empty string on success, else why not (a user may not give a file away).
QString TakeAccessOf(QFile& file, const Name& original);

// A folder where only this user can create names ($XDG_RUNTIME_DIR, else one made for the user
// in the temporary folder), or an empty string when none can be had.
QString PrivateFolder();
// Whether the other end of a connected local socket runs as this user.
bool IsPeerThisUser(qintptr nSocketDescriptor);

} // namespace NativeFile
