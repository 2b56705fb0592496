#pragma once

#include <QString>
#include <filesystem>
#include <string>

class QFile;

// Files named as the system names them. On POSIX a name is bytes that need not be text, and
// Qt 6 reads every name as UTF-8, so a name such as "old\xE9.bod" would open another file;
// here the bytes reach the system unchanged. Every platform difference of opening, creating
// and syncing a file by such a name lives here.
namespace NativeFile {

using Name = std::filesystem::path;

// A name from bodtool's command line, as the user typed it: bytes on POSIX, UTF-8 on Windows.
Name FromArgument(const std::string& strArgument);
// A name from Qt (its dialogs, its settings).
Name FromQt(const QString& strName);
// The name for a message or a title; a byte that is not text shows as U+FFFD.
QString ToDisplay(const Name& name);

enum class Mode {
    Read,
    ReadWrite,
    // A new file that must not exist yet, readable and writable by whom the umask allows.
    CreateNew,
};

// Opens name in file. Returns an empty string on success, else why it failed. A pipe without a
// writer does not block the opening.
QString Open(QFile& file, const Name& name, Mode mode);
// Whether the user may write to the existing file name.
bool IsWritable(const Name& name);
// Asks the system to put the file's bytes on the disk; false when it reports a failure.
bool SyncToDisk(QFile& file);

} // namespace NativeFile
