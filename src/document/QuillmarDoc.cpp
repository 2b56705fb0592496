#include "document/QuillmarDoc.h"

#include "document/ApplyEditCommand.h"
#include "document/CombineDeedsCommand.h"
#include "document/DeleteDeedCommand.h"
#include "document/FillLargeDeedsCommand.h"
#include "document/ImportDeedsCommand.h"
#include "framework/Profile.h"
#include "framework/Prompt.h"
#include "import/ImportSession.h"
#include "import/dialog/DeedDlg.h"
#include "import/dialog/ImportDlg.h"
#include "model/BodCatalogue.h"
#include "model/BodFile.h"
#include "model/DeedCombining.h"
#include "model/ShoppingList.h"

#include <algorithm>
#include <utility>

namespace {

const QString kSettingsSection = QStringLiteral("Settings");
const QString kAutoSaveEntry = QStringLiteral("AutoSave");

} // namespace

CQuillmarDoc::CQuillmarDoc()
    : m_bAutoSave(GetProfileString(kSettingsSection, kAutoSaveEntry, QStringLiteral("0")) ==
                  QLatin1String("1")) {
    connect(&m_undoStack, &QUndoStack::indexChanged, this, [this] {
        // Auto Save wrote this state while the history was still on its way here.
        if (std::exchange(m_bSavedInChange, false)) {
            m_undoStack.setClean();
        }
        Q_EMIT Changed();
    });
}

CQuillmarDoc::~CQuillmarDoc() {
    // Emptying the history tells of it; told now, the whole document still hears it.
    m_undoStack.clear();
}

void CQuillmarDoc::Serialize(CArchive& ar) {
    // The shown copies are never the document's content: the full list is what is written, and
    // a load replaces the full list.
    if (m_bShoppingList) {
        OnShoppingList();
    }
    BodFile::Serialize(ar, m_arrBods, m_nReserved2, m_nReserved1);
}

void CQuillmarDoc::DeleteContents() {
    // As a load does: the real list is what is emptied.
    if (m_bShoppingList) {
        OnShoppingList();
    }
    m_undoStack.clear();
    FreeBodArray(m_arrBods);
    FreeBodArray(m_arrShoppingList);
    FreeBodArray(m_arrFullList);
    m_nReserved1 = 0;
    m_nReserved2 = 0;
}

bool CQuillmarDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    DeleteContents();
    return true;
}

void CQuillmarDoc::OnCloseDocument() {
    // The windows go first, so no view is left pointing at a deed that was freed.
    CDocument::OnCloseDocument();
    m_undoStack.clear();
    m_pUnrecorded.reset();
    FreeBodArray(m_arrBods);
    FreeBodArray(m_arrShoppingList);
    FreeBodArray(m_arrFullList);
}

void CQuillmarDoc::ReloadDocument() {
    // The history points at the deeds about to be replaced; the views, told of a new list,
    // let go of theirs.
    m_undoStack.clear();
    CDocument::ReloadDocument();
}

void CQuillmarDoc::MarkModified() {
    CDocument::MarkModified();
    // No undo leads back to what the file holds.
    m_undoStack.resetClean();
}

bool CQuillmarDoc::OnSaveDocument(const QString& strPathName) {
    if (!CDocument::OnSaveDocument(strPathName)) {
        return false;
    }
    if (m_bInChange) {
        m_bSavedInChange = true;
    } else {
        m_undoStack.setClean();
    }
    return true;
}

void CQuillmarDoc::MarkChanged(bool bModified) {
    if (m_bShoppingList) {
        return;
    }
    // A change that Auto Save could not write stays marked, so closing still offers to save it.
    if (m_bAutoSave && DoFileSave()) {
        return;
    }
    SetTitle(GetDisplayName() + (bModified ? ModifiedMarker() : QString()));
    SetModifiedFlag(bModified);
}

void CQuillmarDoc::OnShoppingList() {
    m_bShoppingList = !m_bShoppingList;
    if (m_bShoppingList) {
        BuildShoppingList();
        // The real deeds themselves wait here, so the history still points at them on return.
        FreeBodArray(m_arrFullList);
        m_arrFullList = std::move(m_arrBods);
        CopyBodArray(m_arrBods, m_arrShoppingList);
        if (m_nPartsLeftOut > 0) {
            AppPrompt().MessageBox(
                nullptr,
                tr("%1 parts were left out of the shopping list: a large deed has at most %2 "
                   "parts, and some deeds claim more.")
                    .arg(m_nPartsLeftOut)
                    .arg(BodCatalogue::kMaxParts),
                IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
        }
    } else {
        m_arrBods = std::move(m_arrFullList);
        m_arrFullList.clear();
    }
    UpdateAllViews(nullptr, kHintNewList);
    m_pUnrecorded.reset();
    Q_EMIT Changed();
}

void CQuillmarDoc::BuildShoppingList() {
    m_arrShoppingList = ShoppingList::Build(m_arrBods, &m_nPartsLeftOut);
}

void CQuillmarDoc::OnAutoSave() {
    m_bAutoSave = !m_bAutoSave;
    WriteProfileString(kSettingsSection, kAutoSaveEntry,
                       m_bAutoSave ? QStringLiteral("1") : QStringLiteral("0"));
}

void CQuillmarDoc::OnImport(bool bPaste) {
    CImportDlg dlg(nullptr);
    dlg.AddKnownDeeds(m_arrBods);
    if (bPaste) {
        dlg.OnPaste();
    }
    if (dlg.exec() == QDialog::Accepted) {
        ImportDeeds(dlg.TakeProcessed());
    }
}

void CQuillmarDoc::OnNewDeed() {
    CDeedDlg dlg(nullptr);
    if (dlg.exec() == QDialog::Accepted) {
        NewDeed(dlg.TakeDeed());
    }
}

void CQuillmarDoc::OnEditDeed(const CBodItem* pBod) {
    if (FindShown(pBod) == nullptr) {
        return;
    }
    CDeedDlg dlg(pBod);
    if (dlg.exec() == QDialog::Accepted) {
        if (const std::unique_ptr<CBodItem> pRemade = dlg.TakeDeed()) {
            EditDeed(pBod, *pRemade);
        }
    }
}

int CQuillmarDoc::ImportDeeds(CBodArray bods) {
    if (bods.empty()) {
        return 0;
    }
    std::erase(bods, nullptr);
    const int nAdded = static_cast<int>(bods.size());
    if (nAdded > 0) {
        Run(std::make_unique<CImportDeedsCommand>(*this, std::move(bods)));
    }
    // The same words as ImportMessage, which bodtool prints in English.
    AppPrompt().MessageBox(nullptr,
                           nAdded == 1 ? tr("1 BOD was imported.")
                                       : tr("%1 BOD's were imported.").arg(nAdded),
                           IPrompt::Icon::Information, IPrompt::Buttons::Ok);
    return nAdded;
}

CBodItem* CQuillmarDoc::FindShown(const CBodItem* pBod) {
    // The list holds no null entry, so a null deed is not found either.
    const int nIndex = FindBodIndex(m_arrBods, pBod);
    return nIndex < 0 ? nullptr : m_arrBods[static_cast<std::size_t>(nIndex)].get();
}

bool CQuillmarDoc::DeleteDeed(const CBodItem* pBod, CView* pSender) {
    const int nIndex = FindBodIndex(m_arrBods, pBod);
    if (nIndex < 0) {
        return false;
    }
    Run(std::make_unique<CDeleteDeedCommand>(*this, static_cast<std::size_t>(nIndex), pSender));
    return true;
}

bool CQuillmarDoc::ApplyEdit(const CBodItem* pBod, const CBodItem& edited, CView* pSender) {
    CBodItem* pShown = FindShown(pBod);
    if (pShown == nullptr) {
        return false;
    }
    Run(std::make_unique<CApplyEditCommand>(*this, *pShown, edited, pSender));
    return true;
}

bool CQuillmarDoc::NewDeed(std::unique_ptr<CBodItem> pBod) {
    if (!pBod) {
        return false;
    }
    CBodArray bods;
    bods.push_back(std::move(pBod));
    Run(std::make_unique<CImportDeedsCommand>(*this, std::move(bods),
                                              CImportDeedsCommand::Kind::NewDeed));
    return true;
}

bool CQuillmarDoc::EditDeed(const CBodItem* pBod, const CBodItem& remade) {
    CBodItem* pShown = FindShown(pBod);
    if (pShown == nullptr) {
        return false;
    }
    Run(std::make_unique<CApplyEditCommand>(*this, *pShown, remade, nullptr,
                                            CApplyEditCommand::Kind::EditDeed));
    return true;
}

bool CQuillmarDoc::CombineIntoLarge(const CBodItem* pSmall, const CBodItem* pLarge,
                                    CView* pSender) {
    const int nSmall = FindBodIndex(m_arrBods, pSmall);
    CBodItem* pShownLarge = FindShown(pLarge);
    if (nSmall < 0 || pShownLarge == nullptr || !DeedCombining::CanDropOn(*pSmall, *pLarge)) {
        return false;
    }
    Run(std::make_unique<CCombineDeedsCommand>(*this, static_cast<std::size_t>(nSmall),
                                               *pShownLarge, pSender));
    return true;
}

CFillCounts CQuillmarDoc::FillLargeDeeds() {
    CLargeDeedFilling filling = CLargeDeedFilling::Run(m_arrBods);
    const CFillCounts counts = filling.Counts();
    if (counts.nSmallUsed > 0) {
        Run(std::make_unique<CFillLargeDeedsCommand>(*this, std::move(filling)));
    }
    return counts;
}

void CQuillmarDoc::OnFillLargeDeeds() {
    const CFillCounts counts = FillLargeDeeds();
    // The same words as bodtool fill prints in English.
    AppPrompt().MessageBox(
        nullptr,
        counts.nSmallUsed == 0
            ? tr("No large deed could be filled: no complete small deed in this document fits "
                 "an open part.")
            : tr("Large deeds filled: %1\nSmall deeds used: %2\nLarge deeds now complete: %3")
                  .arg(counts.nLargeFilled)
                  .arg(counts.nSmallUsed)
                  .arg(counts.nCompleted),
        IPrompt::Icon::Information, IPrompt::Buttons::Ok);
}

void CQuillmarDoc::Run(std::unique_ptr<QUndoCommand> pCommand) {
    if (m_bShoppingList) {
        pCommand->redo();
        m_pUnrecorded = std::move(pCommand);
        return;
    }
    m_pUnrecorded.reset();
    m_undoStack.push(pCommand.release());
}

void CQuillmarDoc::ChangeDone(Step step, CView* pSender, Hint hint, const CBodItem* pDeed) {
    // The history moves after this step: a redo or an undo may land on the saved state, a new
    // change never does.
    const int nIndex = m_undoStack.index() + (step == Step::Undo ? -1 : 1);
    const bool bClean = step != Step::Do && nIndex == m_undoStack.cleanIndex();
    m_bInChange = true;
    MarkChanged(!bClean);
    m_bInChange = false;
    UpdateAllViews(pSender, hint, pDeed);
}
