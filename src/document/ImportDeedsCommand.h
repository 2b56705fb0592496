#pragma once

#include "model/BodArray.h"

#include <QUndoCommand>
#include <unordered_set>

class CQuillmarDoc;

// Import and New Deed: the deeds go to the end of the shown list; undone, exactly those leave it
// again, wherever they stand by then. While undone the command owns them, so a redo brings back
// the very same deeds. A new deed is selected, so the player sees where it went.
class CImportDeedsCommand : public QUndoCommand {
public:
    enum class Kind { Import, NewDeed };
    CImportDeedsCommand(CQuillmarDoc& doc, CBodArray deeds, Kind kind = Kind::Import);

    void redo() override;
    void undo() override;

private:
    CQuillmarDoc& m_doc;
    CBodArray m_arrDeeds;
    // The deeds themselves, found by identity in the list: other deeds may have joined after them.
    std::unordered_set<const CBodItem*> m_imported;
    Kind m_kind;
    bool m_bDone = false;
};
