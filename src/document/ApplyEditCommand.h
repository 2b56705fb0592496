#pragma once

#include "document/QuillmarDoc.h"
#include "model/BodItem.h"

#include <QUndoCommand>

class CView;

// Apply and Edit Deed: the edits replace the deed's fields. The deed stays the same object, so
// every pointer to it stays good; the command holds the other version and swaps it in and out.
// Apply changes only what the form shows, so the trees relabel the deed; Edit Deed may change
// what files it (craft, material, set), so every view updates and the deed is selected.
class CApplyEditCommand : public QUndoCommand {
public:
    enum class Kind { Apply, EditDeed };
    CApplyEditCommand(CQuillmarDoc& doc, CBodItem& bod, const CBodItem& edited, CView* pSender,
                      Kind kind = Kind::Apply);

    void redo() override;
    void undo() override;

private:
    void Swap(CQuillmarDoc::Step step);

    CQuillmarDoc& m_doc;
    CBodItem& m_bod;
    CBodItem m_other;
    CView* m_pSender;
    Kind m_kind;
    bool m_bDone = false;
};
