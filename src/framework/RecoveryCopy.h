#pragma once

#include "framework/NativeFile.h"

// The previous bytes of a document while it is rewritten in place, kept in a folder of the
// user's own beside the settings: a rewrite stopped by a kill or a crash leaves a document that
// may not read, and this copy to open instead. SafeWrite makes and removes it.
namespace RecoveryCopy {

// Where the copy of the document at path is kept (one name per document, in a folder made
// private to the user); an empty name when no such folder can be made.
NativeFile::Name PathFor(const NativeFile::Name& path);
// The copy of the document at path left by a rewrite that did not finish; an empty name if none.
NativeFile::Name Find(const NativeFile::Name& path);

} // namespace RecoveryCopy
