#include "document/ImportDeedsCommand.h"

#include "document/QuillmarDoc.h"

#include <iterator>

CImportDeedsCommand::CImportDeedsCommand(CQuillmarDoc& doc, CBodArray deeds, Kind kind)
    : QUndoCommand(kind == Kind::Import ? CQuillmarDoc::tr("Import")
                                        : CQuillmarDoc::tr("New Deed")),
      m_doc(doc), m_arrDeeds(std::move(deeds)), m_kind(kind) {
    for (const std::unique_ptr<CBodItem>& pBod : m_arrDeeds) {
        m_imported.insert(pBod.get());
    }
}

void CImportDeedsCommand::redo() {
    const CQuillmarDoc::Step step = m_bDone ? CQuillmarDoc::Step::Redo : CQuillmarDoc::Step::Do;
    m_bDone = true;
    const CBodItem* pNewDeed = m_kind == Kind::NewDeed ? m_arrDeeds.back().get() : nullptr;
    std::move(m_arrDeeds.begin(), m_arrDeeds.end(), std::back_inserter(m_doc.m_arrBods));
    CBodArray().swap(m_arrDeeds);
    m_doc.ChangeDone(step, nullptr, CQuillmarDoc::kHintChanged, pNewDeed);
}

void CImportDeedsCommand::undo() {
    // In list order, which is the order they came in: a redo appends them as the import did.
    CBodArray& arrBods = m_doc.m_arrBods;
    for (std::unique_ptr<CBodItem>& pBod : arrBods) {
        if (m_imported.contains(pBod.get())) {
            m_arrDeeds.push_back(std::move(pBod));
        }
    }
    std::erase(arrBods, nullptr);
    m_doc.ChangeDone(CQuillmarDoc::Step::Undo, nullptr);
}
