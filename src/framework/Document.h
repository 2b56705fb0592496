#pragma once

#include "framework/DiskStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <vector>

class CArchive;
class CDocManager;
class CView;

// The document base: path, title, modified flag and views, with the framework's open, save and
// close steps around the derived class's Serialize. All load and save failures are told through
// AppPrompt() in the framework's words ("Unexpected file format.", "%1 was not found.",
// "Failed to save document.", or a message naming a read-only file or a denied path).
class CDocument : public QObject {
    Q_OBJECT
public:
    CDocument();
    ~CDocument() override;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& strTitle);
    const QString& GetPathName() const { return m_strPathName; }
    // Sets the path and the title (the path's file name) and, when bAddToMRU, adds the path to
    // the recent-file list.
    virtual void SetPathName(const QString& strPathName, bool bAddToMRU = true);

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool bModified = true);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // Calls OnUpdate on every view but pSender.
    void UpdateAllViews(CView* pSender, long lHint = 0, const void* pHint = nullptr);

    virtual void Serialize(CArchive& ar) = 0;
    // Empties the document, as an empty file reads.
    virtual void DeleteContents() {}

    // New: nothing to do in the base but succeed.
    virtual bool OnNewDocument();
    // Reads the file through Serialize; a 0-byte file is an empty document. A file that does not
    // read, of which a save that did not finish kept a recovery copy, offers to open that copy.
    virtual bool OnOpenDocument(const QString& strPathName);
    // Writes the file through Serialize and SafeWrite, so a failure keeps the previous file, and
    // holds the file's write lock meanwhile. Over the document's own file it fails unreported
    // when another program changed the file since it was last read or written: DoSave asks.
    virtual bool OnSaveDocument(const QString& strPathName);
    // Closes every window of the document, then lets the manager delete it.
    virtual void OnCloseDocument();

    // The Save command: in place when there is a writable path, else through Save As.
    bool DoFileSave();
    // Save As (an empty path asks for one) and the save that follows.
    bool DoSave(const QString& strPathName, bool bReplace = true);
    // Asks "Save changes to %1?" for a modified document; false when the user cancels or the
    // save fails.
    virtual bool SaveModified();
    // The file at the path is no longer what this document last read or wrote.
    bool IsChangedOnDisk() const;

    // Looks whether another program changed the file since this document last read or saved
    // it: at its size and time first, and reads it only when they moved. A document without
    // unsaved changes offers to reload; otherwise, or when the user keeps this version, the
    // change is shown until the document is saved or read again, or the notice is dismissed.
    // The file's watcher and the program's coming to the front both look.
    void CheckDisk();
    bool IsDiskChangeShown() const { return m_bDiskChangeShown; }
    // The notice's Reload: reads the file again, asking first when unsaved changes would go.
    void OnReloadFromDisk();
    // The notice's Keep Mine: hides it until the file changes again.
    void DismissDiskChange();

    // What the user calls the document: the file name, or the untitled name without the marker
    // that a caption shows for unsaved changes.
    QString GetDisplayName() const;
    // The end of a caption whose document has unsaved changes.
    static QString ModifiedMarker() { return QStringLiteral(" *"); }

    CDocManager* GetDocManager() const { return m_pDocManager; }
    void SetDocManager(CDocManager* pManager) { m_pDocManager = pManager; }

Q_SIGNALS:
    // Every view but the sender has been told of a change.
    void ViewsUpdated();
    // The title or the modified flag changed: captions follow it.
    void TitleChanged();
    // The document is about to go: its windows close.
    void Closing();
    // Open was asked for a path this document already has: its window comes to the front.
    void ActivateRequested();
    // The notice that another program changed the file appears or goes.
    void DiskChangeShownChanged();

protected:
    // Reads the file at the path again after another program changed it; the views are told.
    // A file that no longer reads leaves the content as it was, marked modified.
    virtual void ReloadDocument();
    // Marks the content as differing from the file without a change of its own (a reload that
    // failed, a recovery copy): only a save clears the mark.
    virtual void MarkModified();

private:
    // The Save As dialog, proposing the document's path or its untitled name; empty when the
    // user cancels.
    QString AskForSavePath() const;
    // Before a save over the document's own file: when another program changed it, asks
    // whether to overwrite it, save under another name (strPathName becomes that name) or not
    // save (false).
    bool ConfirmOverwriteIfChanged(QString& strPathName);
    // After a failed open: offers the recovery copy of strPathName, if there is one, and reads it
    // as the document's unsaved content when the user agrees.
    bool OpenRecoveryCopy(const QString& strPathName);
    // Reads bytes through Serialize; false for a malformed file.
    bool Load(const QByteArray& bytes);
    void OnFileChangedOnDisk();
    void SetDiskChangeShown(bool bShown);

    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_views;
    CDocManager* m_pDocManager = nullptr;
    // A window closing in answer to Closing may ask to close the document again.
    bool m_bClosing = false;
    CDiskStamp m_diskStamp;
    // The last save found the file changed by another program just before replacing it.
    bool m_bChangedWhileSaving = false;
    QFileSystemWatcher m_watcher;
    bool m_bAskingToReload = false;
    // The file's attributes when CheckDisk last read it, so the same change is read only once.
    CFileAttributes m_checkedAttributes;
    bool m_bDiskChangeShown = false;
};
