#include "document/CombineDeedsCommand.h"

#include "document/QuillmarDoc.h"
#include "model/DeedCombining.h"

#include <utility>

CCombineDeedsCommand::CCombineDeedsCommand(CQuillmarDoc& doc, std::size_t nSmallIndex,
                                           CBodItem& large, CView* pSender)
    : QUndoCommand(CQuillmarDoc::tr("Drop BOD")), m_doc(doc), m_nSmallIndex(nSmallIndex),
      m_pSmall(doc.m_arrBods.at(nSmallIndex).get()), m_large(large), m_otherLarge(large),
      m_pSender(pSender) {}

void CCombineDeedsCommand::redo() {
    const CQuillmarDoc::Step step = m_bDone ? CQuillmarDoc::Step::Redo : CQuillmarDoc::Step::Do;
    if (m_bDone) {
        std::swap(m_large, m_otherLarge);
    } else {
        DeedCombining::CombineBods(*m_pSmall, m_large);
    }
    m_bDone = true;
    CBodArray& arrBods = m_doc.m_arrBods;
    m_pTaken = std::move(arrBods[m_nSmallIndex]);
    arrBods.erase(arrBods.begin() + static_cast<std::ptrdiff_t>(m_nSmallIndex));
    m_doc.ChangeDone(step, std::exchange(m_pSender, nullptr), CQuillmarDoc::kHintChanged, &m_large);
}

void CCombineDeedsCommand::undo() {
    std::swap(m_large, m_otherLarge);
    CBodArray& arrBods = m_doc.m_arrBods;
    arrBods.insert(arrBods.begin() + static_cast<std::ptrdiff_t>(m_nSmallIndex),
                   std::move(m_pTaken));
    m_doc.ChangeDone(CQuillmarDoc::Step::Undo, nullptr, CQuillmarDoc::kHintChanged, m_pSmall);
}
