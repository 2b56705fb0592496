#pragma once

#include "framework/NativeFile.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

class QFileDevice;
class QIODevice;

// Writing a whole file so that it holds either all of the new bytes or, after any failure, the
// previous bytes unchanged.
namespace SafeWrite {

// Called once every byte is written and just before the new file takes the old one's place;
// a non-empty answer stops the save with that reason.
using LastCheck = std::function<QString()>;

// Writes bytes to strPath. Returns an empty string on success, else why it failed. Where no
// file can be made next to strPath (a folder the user may not write to) but strPath itself can
// be written, it is rewritten in place, and its previous bytes are put back if that fails.
QString WriteFile(const NativeFile::Name& path, QByteArrayView bytes,
                  const LastCheck& lastCheck = {});
QString WriteFile(const QString& strPath, QByteArrayView bytes, const LastCheck& lastCheck = {});

// Rewrites an open file in place; on failure puts back the bytes it held before. Returns an
// empty string on success, else why it failed and whether the previous bytes are back.
QString RewriteInPlace(QFileDevice& file, QByteArrayView bytes);

// The device the bytes go through on their way into the file: the file itself, unless a test
// puts a device in front of it (null restores the file itself).
using DeviceWrapper = std::function<std::unique_ptr<QIODevice>(QIODevice& file)>;
void SetDeviceWrapper(DeviceWrapper wrapper);

} // namespace SafeWrite
