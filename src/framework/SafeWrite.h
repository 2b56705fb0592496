#pragma once

#include "framework/NativeFile.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;

// Writing a whole file so that it holds either all of the new bytes or, after any failure, the
// previous bytes unchanged, and so that nobody may read more of it than before.
namespace SafeWrite {

// Called once every byte is written and just before the new file takes the old one's place;
// a non-empty answer stops the save with that reason.
using LastCheck = std::function<QString()>;

// Writes bytes to path. Returns an empty string on success, else why it failed. The new bytes
// go to a new file beside path, private to the user while it fills, which then takes the old
// file's owner, group and mode and its place. The file is rewritten in place instead where that
// cannot be done: a folder the user may not write to, an owner or group the user may not give,
// a file with more than one name. Before an in-place rewrite the previous bytes are copied to a
// recovery copy (see RecoveryCopy), removed once the file holds the new bytes.
QString WriteFile(const NativeFile::Name& path, QByteArrayView bytes,
                  const LastCheck& lastCheck = {});
QString WriteFile(const QString& strPath, QByteArrayView bytes, const LastCheck& lastCheck = {});

// Follows the links at path to the file they name, as an editor writes through a link, but only
// those the kernel's rule for shared folders lets this user follow (NativeFile::MayFollowLink).
// Returns an empty string, else why a link is not followed; path is then the refused link.
QString FollowLinks(NativeFile::Name& path);

// The device the bytes go through on their way into the file: the file itself, unless a test
// puts a device in front of it (null restores the file itself).
using DeviceWrapper = std::function<std::unique_ptr<QIODevice>(QIODevice& file)>;
void SetDeviceWrapper(DeviceWrapper wrapper);

} // namespace SafeWrite
