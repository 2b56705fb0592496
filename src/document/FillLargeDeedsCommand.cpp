#include "document/FillLargeDeedsCommand.h"

#include "document/QuillmarDoc.h"

CFillLargeDeedsCommand::CFillLargeDeedsCommand(CQuillmarDoc& doc, CLargeDeedFilling filling)
    : QUndoCommand(CQuillmarDoc::tr("Fill Large Deeds")), m_doc(doc),
      m_filling(std::move(filling)) {}

void CFillLargeDeedsCommand::redo() {
    if (m_bDone) {
        m_filling.Redo(m_doc.m_arrBods);
    }
    m_doc.ChangeDone(m_bDone ? CQuillmarDoc::Step::Redo : CQuillmarDoc::Step::Do, nullptr);
    m_bDone = true;
}

void CFillLargeDeedsCommand::undo() {
    m_filling.Undo(m_doc.m_arrBods);
    m_doc.ChangeDone(CQuillmarDoc::Step::Undo, nullptr);
}
