#include "document/QuillmarDoc.h"

#include "framework/Profile.h"
#include "framework/Prompt.h"
#include "import/ImportSession.h"
#include "import/dialog/ImportDlg.h"
#include "model/BodCatalogue.h"
#include "model/BodFile.h"
#include "model/ShoppingList.h"

namespace {

const QString kSettingsSection = QStringLiteral("Settings");
const QString kAutoSaveEntry = QStringLiteral("AutoSave");

} // namespace

CQuillmarDoc::CQuillmarDoc()
    : m_bAutoSave(GetProfileString(kSettingsSection, kAutoSaveEntry, QStringLiteral("0")) ==
                  QLatin1String("1")) {}

CQuillmarDoc::~CQuillmarDoc() = default;

void CQuillmarDoc::Serialize(CArchive& ar) {
    // The shown copies are never the document's content: the full list is what is written, and
    // a load replaces the full list.
    if (m_bShoppingList) {
        OnShoppingList();
    }
    BodFile::Serialize(ar, m_arrBods, m_nReserved2, m_nReserved1);
}

bool CQuillmarDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    FreeBodArray(m_arrBods);
    FreeBodArray(m_arrShoppingList);
    FreeBodArray(m_arrFullList);
    m_nReserved1 = 0;
    m_nReserved2 = 0;
    return true;
}

void CQuillmarDoc::OnCloseDocument() {
    // The windows go first, so no view is left pointing at a deed that was freed.
    CDocument::OnCloseDocument();
    m_pSelectedBod = nullptr;
    FreeBodArray(m_arrBods);
    FreeBodArray(m_arrShoppingList);
    FreeBodArray(m_arrFullList);
}

void CQuillmarDoc::ReloadDocument() {
    // The deeds it points to are about to be replaced by those read again.
    m_pSelectedBod = nullptr;
    CDocument::ReloadDocument();
}

void CQuillmarDoc::AddBodItem(std::unique_ptr<CBodItem> pBod) {
    if (pBod) {
        m_arrBods.push_back(std::move(pBod));
    }
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
        CopyBodArray(m_arrFullList, m_arrBods);
        CopyBodArray(m_arrBods, m_arrShoppingList);
        if (m_nPartsLeftOut > 0) {
            AppPrompt().MessageBox(
                nullptr,
                QStringLiteral("%1 parts were left out of the shopping list: a large deed has at "
                               "most %2 parts, and some deeds claim more.")
                    .arg(m_nPartsLeftOut)
                    .arg(BodCatalogue::kMaxParts),
                IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
        }
    } else {
        CopyBodArray(m_arrBods, m_arrFullList);
    }
    // The deeds the selection could point to were just replaced.
    m_pSelectedBod = nullptr;
    UpdateAllViews(nullptr);
}

void CQuillmarDoc::BuildShoppingList() {
    m_arrShoppingList = ShoppingList::Build(m_arrBods, &m_nPartsLeftOut);
}

void CQuillmarDoc::OnAutoSave() {
    m_bAutoSave = !m_bAutoSave;
    WriteProfileString(kSettingsSection, kAutoSaveEntry,
                       m_bAutoSave ? QStringLiteral("1") : QStringLiteral("0"));
}

void CQuillmarDoc::OnImport() {
    CImportDlg dlg(nullptr);
    dlg.AddKnownDeeds(m_arrBods);
    if (dlg.exec() == QDialog::Accepted) {
        ImportBods(dlg.TakeProcessed());
    }
}

int CQuillmarDoc::ImportBods(CBodArray bods) {
    if (bods.empty()) {
        return 0;
    }
    int nAdded = 0;
    for (std::unique_ptr<CBodItem>& pBod : bods) {
        if (pBod) {
            AddBodItem(std::move(pBod));
            ++nAdded;
        }
    }
    if (nAdded > 0) {
        MarkChanged(true);
        UpdateAllViews(nullptr);
    }
    AppPrompt().MessageBox(nullptr, QString::fromStdString(ImportMessage(nAdded)),
                           IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
    return nAdded;
}
