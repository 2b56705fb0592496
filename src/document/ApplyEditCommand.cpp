#include "document/ApplyEditCommand.h"

#include "document/QuillmarDoc.h"

#include <utility>

CApplyEditCommand::CApplyEditCommand(CQuillmarDoc& doc, CBodItem& bod, const CBodItem& edited,
                                     CView* pSender)
    : QUndoCommand(CQuillmarDoc::tr("Apply")), m_doc(doc), m_bod(bod), m_other(edited),
      m_pSender(pSender) {}

void CApplyEditCommand::redo() {
    if (!m_bDone) {
        m_bDone = true;
        std::swap(m_bod, m_other);
        // The form that asked shows the deed already: only its label in the trees is stale.
        // Every tree sees the flag; it is over once they all have.
        m_doc.m_bUpdateSelectedOnly = true;
        m_doc.ChangeDone(CQuillmarDoc::Step::Do, std::exchange(m_pSender, nullptr));
        m_doc.m_bUpdateSelectedOnly = false;
        return;
    }
    Swap(false);
}

void CApplyEditCommand::undo() {
    Swap(true);
}

void CApplyEditCommand::Swap(bool bUndo) {
    std::swap(m_bod, m_other);
    // The deed may not be the one shown now: it is selected, so the form shows what changed.
    m_doc.m_pSelectedBod = &m_bod;
    m_doc.ChangeDone(bUndo ? CQuillmarDoc::Step::Undo : CQuillmarDoc::Step::Redo, nullptr);
}
