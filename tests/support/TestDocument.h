#pragma once

#include "framework/Document.h"
#include "model/Archive.h"
#include "model/BodFile.h"

// Reads deeds into doc as opening their file does: the document's own list, no history, nothing
// modified. The views are not told.
inline void ReadDeedsInto(CDocument& doc, const CBodArray& deeds) {
    const std::string bytes = BodFile::Write(deeds, 0, 0);
    CArchive ar = CArchive::ForLoading(bytes);
    doc.Serialize(ar);
}
