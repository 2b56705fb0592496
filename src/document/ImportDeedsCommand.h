#pragma once

#include "model/BodArray.h"

#include <QUndoCommand>

class CQuillmarDoc;

// Import and New Deed: the deeds go to the end of the shown list; undone, exactly those leave it
// again. While undone the command owns them, so a redo brings back the very same deeds. A new
// deed is selected, so the player sees where it went.
class CImportDeedsCommand : public QUndoCommand {
public:
    enum class Kind { Import, NewDeed };
    CImportDeedsCommand(CQuillmarDoc& doc, CBodArray deeds, Kind kind = Kind::Import);

    void redo() override;
    void undo() override;

private:
    CQuillmarDoc& m_doc;
    CBodArray m_arrDeeds;
    std::size_t m_nCount;
    Kind m_kind;
    bool m_bDone = false;
};
