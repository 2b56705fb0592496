#include "document/ImportDeedsCommand.h"

#include "document/QuillmarDoc.h"

#include <algorithm>
#include <iterator>

CImportDeedsCommand::CImportDeedsCommand(CQuillmarDoc& doc, CBodArray deeds, Kind kind)
    : QUndoCommand(kind == Kind::Import ? CQuillmarDoc::tr("Import")
                                        : CQuillmarDoc::tr("New Deed")),
      m_doc(doc), m_arrDeeds(std::move(deeds)), m_nCount(m_arrDeeds.size()), m_kind(kind) {}

void CImportDeedsCommand::redo() {
    const CQuillmarDoc::Step step = m_bDone ? CQuillmarDoc::Step::Redo : CQuillmarDoc::Step::Do;
    m_bDone = true;
    if (m_kind == Kind::NewDeed) {
        m_doc.m_pSelectedBod = m_arrDeeds.back().get();
    }
    std::move(m_arrDeeds.begin(), m_arrDeeds.end(), std::back_inserter(m_doc.m_arrBods));
    CBodArray().swap(m_arrDeeds);
    m_doc.ChangeDone(step, nullptr);
}

void CImportDeedsCommand::undo() {
    // Every later change was undone first, so the imported deeds are the list's last ones.
    CBodArray& arrBods = m_doc.m_arrBods;
    const auto first = arrBods.end() - static_cast<std::ptrdiff_t>(m_nCount);
    m_arrDeeds.assign(std::make_move_iterator(first), std::make_move_iterator(arrBods.end()));
    arrBods.erase(first, arrBods.end());
    if (std::any_of(m_arrDeeds.begin(), m_arrDeeds.end(),
                    [this](const auto& pBod) { return pBod.get() == m_doc.m_pSelectedBod; })) {
        m_doc.m_pSelectedBod = nullptr;
    }
    m_doc.ChangeDone(CQuillmarDoc::Step::Undo, nullptr);
}
