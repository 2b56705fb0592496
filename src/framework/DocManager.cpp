#include "framework/DocManager.h"

#include "framework/Document.h"
#include "framework/Profile.h"
#include "framework/Prompt.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kRecentFileSection = QStringLiteral("Recent File List");

QString RecentFileEntry(int nIndex) {
    return QStringLiteral("File%1").arg(nIndex + 1);
}

// Two spellings of one file (relative, through a link) are the same document.
QString SamePathKey(const QString& strPath) {
    const QFileInfo info(strPath);
    const QString strCanonical = info.canonicalFilePath();
    return strCanonical.isEmpty() ? info.absoluteFilePath() : strCanonical;
}

} // namespace

CDocManager::CDocManager(CDocTemplate docTemplate, QObject* pParent)
    : QObject(pParent), m_template(std::move(docTemplate)) {}

CDocManager::~CDocManager() {
    CloseAllDocuments();
}

CDocument* CDocManager::OnFileNew() {
    std::unique_ptr<CDocument> pDoc = m_template.createDocument();
    if (!pDoc) {
        return nullptr;
    }
    pDoc->SetDocManager(this);
    pDoc->SetTitle(m_template.strDocName + QString::number(m_nUntitledCount + 1));
    if (!pDoc->OnNewDocument()) {
        return nullptr;
    }
    ++m_nUntitledCount;
    return AddDocumentWithFrame(std::move(pDoc));
}

CDocument* CDocManager::OnFileOpen() {
    const QString strPath = AppPrompt().GetOpenFileName(nullptr, m_template.strFilterName);
    if (strPath.isEmpty()) {
        return nullptr;
    }
    return OpenDocumentFile(strPath);
}

CDocument* CDocManager::OpenDocumentFile(const QString& strPath) {
    const QString strKey = SamePathKey(strPath);
    for (const std::unique_ptr<CDocument>& pOpen : m_documents) {
        if (!pOpen->GetPathName().isEmpty() && SamePathKey(pOpen->GetPathName()) == strKey) {
            Q_EMIT pOpen->ActivateRequested();
            return pOpen.get();
        }
    }
    std::unique_ptr<CDocument> pDoc = m_template.createDocument();
    if (!pDoc) {
        return nullptr;
    }
    pDoc->SetDocManager(this);
    // The window is made only after a good load, so a failed open leaves nothing behind.
    if (!pDoc->OnOpenDocument(strPath)) {
        // A recent file that no longer opens leaves the list instead of failing again next time.
        if (m_recentFiles.removeAll(strPath) > 0) {
            SaveRecentFiles();
            Q_EMIT RecentFilesChanged();
        }
        return nullptr;
    }
    pDoc->SetPathName(strPath);
    return AddDocumentWithFrame(std::move(pDoc));
}

CDocument* CDocManager::AddDocumentWithFrame(std::unique_ptr<CDocument> pDoc) {
    CDocument* pAdded = pDoc.get();
    m_documents.push_back(std::move(pDoc));
    if (m_template.createFrame && !m_template.createFrame(pAdded)) {
        pAdded->OnCloseDocument();
        return nullptr;
    }
    return pAdded;
}

bool CDocManager::SaveAllModified() {
    for (CDocument* pDoc : DocumentList()) {
        if (!pDoc->SaveModified()) {
            return false;
        }
    }
    return true;
}

void CDocManager::CloseAllDocuments() {
    for (CDocument* pDoc : DocumentList()) {
        pDoc->OnCloseDocument();
    }
}

void CDocManager::RemoveDocument(CDocument* pDoc) {
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [pDoc](const auto& pOpen) { return pOpen.get() == pDoc; });
    if (it == m_documents.end()) {
        return;
    }
    // The close is still on the stack: Qt deletes the document when control is back in the event
    // loop, or with the manager when there is none.
    CDocument* pClosed = it->release();
    m_documents.erase(it);
    pClosed->setParent(this);
    pClosed->deleteLater();
}

std::vector<CDocument*> CDocManager::DocumentList() const {
    std::vector<CDocument*> docs;
    docs.reserve(m_documents.size());
    for (const std::unique_ptr<CDocument>& pDoc : m_documents) {
        docs.push_back(pDoc.get());
    }
    return docs;
}

void CDocManager::LoadStdProfileSettings(int nMaxMRU) {
    m_nMaxMRU = nMaxMRU;
    m_recentFiles.clear();
    for (int i = 0; i < m_nMaxMRU; ++i) {
        const QString strPath = GetProfileString(kRecentFileSection, RecentFileEntry(i), QString());
        if (!strPath.isEmpty()) {
            m_recentFiles.append(strPath);
        }
    }
    Q_EMIT RecentFilesChanged();
}

void CDocManager::AddToRecentFileList(const QString& strPath) {
    m_recentFiles.removeAll(strPath);
    m_recentFiles.prepend(strPath);
    while (m_recentFiles.size() > m_nMaxMRU) {
        m_recentFiles.removeLast();
    }
    SaveRecentFiles();
    Q_EMIT RecentFilesChanged();
}

void CDocManager::SaveRecentFiles() const {
    for (int i = 0; i < m_nMaxMRU; ++i) {
        WriteProfileString(kRecentFileSection, RecentFileEntry(i),
                           i < m_recentFiles.size() ? m_recentFiles.at(i) : QString());
    }
}
