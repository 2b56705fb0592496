#pragma once

#include "model/BodArray.h"

#include <QUndoCommand>

class CQuillmarDoc;

// Import: the deeds go to the end of the shown list; undone, exactly those leave it again. While
// undone the command owns them, so a redo brings back the very same deeds.
class CImportDeedsCommand : public QUndoCommand {
public:
    CImportDeedsCommand(CQuillmarDoc& doc, CBodArray deeds);

    void redo() override;
    void undo() override;

private:
    CQuillmarDoc& m_doc;
    CBodArray m_arrDeeds;
    std::size_t m_nCount;
    bool m_bDone = false;
};
