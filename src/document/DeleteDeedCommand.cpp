#include "document/DeleteDeedCommand.h"

#include "document/QuillmarDoc.h"

CDeleteDeedCommand::CDeleteDeedCommand(CQuillmarDoc& doc, std::size_t nIndex, CView* pSender)
    : QUndoCommand(CQuillmarDoc::tr("Delete BOD")), m_doc(doc), m_nIndex(nIndex),
      m_pBod(doc.m_arrBods.at(nIndex).get()), m_pSender(pSender) {}

void CDeleteDeedCommand::redo() {
    const CQuillmarDoc::Step step = m_bDone ? CQuillmarDoc::Step::Redo : CQuillmarDoc::Step::Do;
    m_bDone = true;
    CBodArray& arrBods = m_doc.m_arrBods;
    m_pTaken = std::move(arrBods[m_nIndex]);
    arrBods.erase(arrBods.begin() + static_cast<std::ptrdiff_t>(m_nIndex));
    m_doc.ChangeDone(step, std::exchange(m_pSender, nullptr));
}

void CDeleteDeedCommand::undo() {
    CBodArray& arrBods = m_doc.m_arrBods;
    arrBods.insert(arrBods.begin() + static_cast<std::ptrdiff_t>(m_nIndex), std::move(m_pTaken));
    m_doc.ChangeDone(CQuillmarDoc::Step::Undo, nullptr, CQuillmarDoc::kHintChanged, m_pBod);
}
