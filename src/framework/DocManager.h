#pragma once

#include "framework/DocTemplate.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class CDocument;

// Owns the open documents: New, Open, Save All on exit, the recent-file list (4 entries, kept
// in the settings as the framework kept it: "Recent File List"/"File1".."File4").
class CDocManager : public QObject {
    Q_OBJECT
public:
    explicit CDocManager(CDocTemplate docTemplate, QObject* pParent = nullptr);
    ~CDocManager() override;

    const CDocTemplate& GetTemplate() const { return m_template; }

    // A new untitled document with its window, or null.
    CDocument* OnFileNew();
    // Asks for a file, then opens it.
    CDocument* OnFileOpen();
    // Opens strPath (or activates it when it is already open); null when it fails, after the
    // failure was reported. No window is left half open.
    CDocument* OpenDocumentFile(const QString& strPath);
    // Asks to save every modified document; false when the user cancels.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();
    // Deletes a document that closed (called by CDocument::OnCloseDocument).
    void RemoveDocument(CDocument* pDoc);

    const std::vector<std::unique_ptr<CDocument>>& GetDocuments() const { return m_documents; }

    void LoadStdProfileSettings(int nMaxMRU = 4);
    void AddToRecentFileList(const QString& strPath);
    const QStringList& GetRecentFiles() const { return m_recentFiles; }

Q_SIGNALS:
    void RecentFilesChanged();

private:
    // Takes the document into the list and makes its window; null (and nothing left) when the
    // window could not be made.
    CDocument* AddDocumentWithFrame(std::unique_ptr<CDocument> pDoc);
    // The open documents at this moment, for loops whose steps may close one.
    std::vector<CDocument*> DocumentList() const;
    void SaveRecentFiles() const;

    CDocTemplate m_template;
    std::vector<std::unique_ptr<CDocument>> m_documents;
    int m_nUntitledCount = 0;
    int m_nMaxMRU = 4;
    QStringList m_recentFiles;
};
