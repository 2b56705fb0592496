#pragma once

#include "model/BodItem.h"

#include <QUndoCommand>

class CQuillmarDoc;
class CView;

// Apply: the form's edits replace the deed's fields. The deed stays the same object, so every
// pointer to it stays good; the command holds the other version and swaps it in and out.
class CApplyEditCommand : public QUndoCommand {
public:
    CApplyEditCommand(CQuillmarDoc& doc, CBodItem& bod, const CBodItem& edited, CView* pSender);

    void redo() override;
    void undo() override;

private:
    void Swap(bool bUndo);

    CQuillmarDoc& m_doc;
    CBodItem& m_bod;
    CBodItem m_other;
    CView* m_pSender;
    bool m_bDone = false;
};
