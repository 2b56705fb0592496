#include "document/ApplyEditCommand.h"

#include "document/QuillmarDoc.h"

#include <utility>

CApplyEditCommand::CApplyEditCommand(CQuillmarDoc& doc, CBodItem& bod, const CBodItem& edited,
                                     CView* pSender, Kind kind)
    : QUndoCommand(kind == Kind::Apply ? CQuillmarDoc::tr("Apply") : CQuillmarDoc::tr("Edit Deed")),
      m_doc(doc), m_bod(bod), m_other(edited), m_pSender(pSender), m_kind(kind) {}

void CApplyEditCommand::redo() {
    if (!m_bDone && m_kind == Kind::Apply) {
        m_bDone = true;
        std::swap(m_bod, m_other);
        // The form that asked shows the deed already: only its label in the trees is stale.
        m_doc.ChangeDone(CQuillmarDoc::Step::Do, std::exchange(m_pSender, nullptr),
                         CQuillmarDoc::kHintRelabel, &m_bod);
        return;
    }
    Swap(std::exchange(m_bDone, true) ? CQuillmarDoc::Step::Redo : CQuillmarDoc::Step::Do);
}

void CApplyEditCommand::undo() {
    Swap(CQuillmarDoc::Step::Undo);
}

void CApplyEditCommand::Swap(CQuillmarDoc::Step step) {
    std::swap(m_bod, m_other);
    // The deed may not be the one shown now: it is selected, so the form shows what changed.
    m_doc.ChangeDone(step, nullptr, CQuillmarDoc::kHintChanged, &m_bod);
}
