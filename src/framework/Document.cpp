#include "framework/Document.h"

#include "framework/DocManager.h"
#include "framework/NativeFile.h"
#include "framework/Prompt.h"
#include "framework/RecoveryCopy.h"
#include "framework/SafeWrite.h"
#include "framework/View.h"
#include "framework/WriteLock.h"
#include "model/Archive.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// How long a save waits for another program's save of the same file: the window waits meanwhile.
constexpr int kLockWaitMs = 3000;

void ReportFileError(const QString& strText) {
    AppPrompt().MessageBox(nullptr, strText, IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
}

// Why a save to strPathName failed, in words the user can act on.
QString SaveFailureText(const QString& strPathName, const QString& strReason) {
    const QFileInfo info(strPathName);
    if (!QFileInfo(info.absolutePath()).isDir()) {
        return CDocument::tr("%1 contains an invalid path.").arg(strPathName);
    }
    // A file that exists was tried in place too, so its message names the cause.
    if (info.isDir() || (!info.exists() && !QFileInfo(info.absolutePath()).isWritable())) {
        return CDocument::tr("Access to %1 was denied.").arg(strPathName);
    }
    return CDocument::tr("Failed to save document.\n%1: %2").arg(strPathName, strReason);
}

} // namespace

CDocument::CDocument() {
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CDocument::OnFileChangedOnDisk);
    // A watcher misses changes on some file systems (network shares), and loses a path that
    // was replaced while nobody looked.
    if (const auto* pApp = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(pApp, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive) {
                        CheckDisk();
                    }
                });
    }
}

CDocument::~CDocument() {
    for (CView* pView : m_views) {
        pView->m_pDocument = nullptr;
    }
}

void CDocument::SetTitle(const QString& strTitle) {
    if (m_strTitle != strTitle) {
        m_strTitle = strTitle;
        Q_EMIT TitleChanged();
    }
}

void CDocument::SetPathName(const QString& strPathName, bool bAddToMRU) {
    const QFileInfo info(strPathName);
    if (!m_watcher.files().isEmpty()) {
        m_watcher.removePaths(m_watcher.files());
    }
    m_strPathName = info.absoluteFilePath();
    if (info.isFile()) {
        m_watcher.addPath(m_strPathName);
    }
    SetTitle(info.fileName() + (m_bModified ? ModifiedMarker() : QString()));
    if (bAddToMRU && m_pDocManager != nullptr) {
        m_pDocManager->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::SetModifiedFlag(bool bModified) {
    if (m_bModified != bModified) {
        m_bModified = bModified;
        Q_EMIT TitleChanged();
    }
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr || std::find(m_views.begin(), m_views.end(), pView) != m_views.end()) {
        return;
    }
    if (pView->m_pDocument != nullptr) {
        pView->m_pDocument->RemoveView(pView);
    }
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    const auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it != m_views.end()) {
        m_views.erase(it);
        pView->m_pDocument = nullptr;
    }
}

void CDocument::UpdateAllViews(CView* pSender, long lHint, const void* pHint) {
    // A view may close while it updates; walk a copy and skip views that left meanwhile.
    const std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender && std::find(m_views.begin(), m_views.end(), pView) != m_views.end()) {
            pView->OnUpdate(pSender, lHint, pHint);
        }
    }
    Q_EMIT ViewsUpdated();
}

bool CDocument::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& strPathName) {
    const NativeFile::Kind kind = NativeFile::KindOf(NativeFile::FromQt(strPathName));
    if (kind == NativeFile::Kind::Missing) {
        ReportFileError(tr("%1 was not found.").arg(strPathName));
        return false;
    }
    if (kind == NativeFile::Kind::Other) {
        ReportFileError(tr("%1 is not a document file.").arg(strPathName));
        return false;
    }
    const QFileInfo info(strPathName);
    QFile file(strPathName);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(file.error() == QFileDevice::PermissionsError || !info.isReadable()
                            ? tr("Access to %1 was denied.").arg(strPathName)
                            : tr("%1 could not be read.").arg(strPathName));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ReportFileError(tr("%1 could not be read.").arg(strPathName));
        return false;
    }
    // An empty file that has a recovery copy is a rewrite stopped before its first byte.
    if ((bytes.isEmpty() && !RecoveryCopy::Find(NativeFile::FromQt(strPathName)).empty()) ||
        !Load(bytes)) {
        return OpenRecoveryCopy(strPathName);
    }
    m_diskStamp = CDiskStamp(strPathName, bytes);
    SetDiskChangeShown(false);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::Load(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        DeleteContents();
        return true;
    }
    try {
        CArchive ar = CArchive::ForLoading(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        Serialize(ar);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

bool CDocument::OpenRecoveryCopy(const QString& strPathName) {
    const NativeFile::Name copy = RecoveryCopy::Find(NativeFile::FromQt(strPathName));
    if (copy.empty()) {
        ReportFileError(tr("Unexpected file format."));
        return false;
    }
    const QString strCopy = NativeFile::ToDisplay(copy);
    if (AppPrompt().MessageBox(nullptr,
                               tr("Unexpected file format.\n\nA save of %1 did not finish; what "
                                  "the file held before is kept in %2. Open that copy? Saving "
                                  "then writes it to %1.")
                                   .arg(strPathName, strCopy),
                               IPrompt::Icon::Question,
                               IPrompt::Buttons::YesNo) != IPrompt::Answer::Yes) {
        return false;
    }
    QFile file;
    const bool bOpened = NativeFile::Open(file, copy, NativeFile::Mode::Read).isEmpty();
    const QByteArray bytes = bOpened ? file.readAll() : QByteArray();
    if (!bOpened || file.error() != QFileDevice::NoError || !Load(bytes)) {
        ReportFileError(tr("%1 could not be read either.").arg(strCopy));
        return false;
    }
    // The save then replaces the file as it is now, without asking.
    m_diskStamp = CDiskStamp::Of(strPathName);
    MarkModified();
    return true;
}

bool CDocument::OnSaveDocument(const QString& strPathName) {
    const QFileInfo info(strPathName);
    // A save replaces the file by renaming over it, which a read-only file does not stop.
    if (info.isFile() && !info.isWritable()) {
        ReportFileError(tr("%1 is read-only.").arg(strPathName));
        return false;
    }
    CArchive ar = CArchive::ForStoring();
    Serialize(ar);
    const QByteArray bytes = QByteArray::fromStdString(ar.Bytes());
    // Another program may save the file at the same moment: one waits for the other, and the
    // last check before the file is replaced sees whether that program wrote it meanwhile.
    CWriteLock lock(NativeFile::FromQt(strPathName));
    const bool bOwnFile = info.absoluteFilePath() == m_strPathName;
    bool bChanged = false;
    QString strReason = lock.Acquire(kLockWaitMs);
    if (strReason.isEmpty()) {
        strReason = SafeWrite::WriteFile(strPathName, bytes, [&] {
            bChanged = bOwnFile && IsChangedOnDisk();
            return bChanged ? tr("changed by another program") : QString();
        });
    }
    if (bChanged) {
        m_bChangedWhileSaving = true;
        return false;
    }
    if (!strReason.isEmpty()) {
        ReportFileError(SaveFailureText(strPathName, strReason));
        return false;
    }
    m_diskStamp = CDiskStamp(strPathName, bytes);
    SetDiskChangeShown(false);
    SetModifiedFlag(false);
    SetTitle(info.fileName());
    return true;
}

void CDocument::OnCloseDocument() {
    if (m_bClosing) {
        return;
    }
    m_bClosing = true;
    Q_EMIT Closing();
    // The manager deletes the document once the caller's stack has unwound.
    if (m_pDocManager != nullptr) {
        m_pDocManager->RemoveDocument(this);
    }
}

bool CDocument::DoFileSave() {
    const QFileInfo info(m_strPathName);
    if (m_strPathName.isEmpty() || (info.exists() && !info.isWritable())) {
        return DoSave(QString());
    }
    return DoSave(m_strPathName);
}

bool CDocument::DoSave(const QString& strPathName, bool bReplace) {
    QString strNewName = strPathName;
    if (strNewName.isEmpty()) {
        strNewName = AskForSavePath();
        if (strNewName.isEmpty()) {
            return false;
        }
    }
    // Save As onto the document's own file loses another program's change as surely as Save.
    if (!ConfirmOverwriteIfChanged(strNewName)) {
        return false;
    }
    // Another program wrote the file between the question and the save: ask again.
    while (!OnSaveDocument(strNewName)) {
        if (!std::exchange(m_bChangedWhileSaving, false) ||
            !ConfirmOverwriteIfChanged(strNewName)) {
            return false;
        }
    }
    if (bReplace) {
        SetPathName(strNewName);
    }
    return true;
}

QString CDocument::AskForSavePath() const {
    const CDocTemplate defaults;
    const CDocTemplate& docTemplate =
        m_pDocManager != nullptr ? m_pDocManager->GetTemplate() : defaults;
    const QString strProposed =
        m_strPathName.isEmpty() ? GetDisplayName() + docTemplate.strFilterExt : m_strPathName;
    return AppPrompt().GetSaveFileName(nullptr, tr("Save As"), strProposed,
                                       docTemplate.strFilterName, docTemplate.strFilterExt);
}

bool CDocument::IsChangedOnDisk() const {
    if (m_strPathName.isEmpty() || !m_diskStamp.IsValid()) {
        return false;
    }
    const CDiskStamp now = CDiskStamp::Of(m_strPathName);
    // A file that is gone loses nothing when it is written again.
    return now.IsValid() && now != m_diskStamp;
}

bool CDocument::ConfirmOverwriteIfChanged(QString& strPathName) {
    if (QFileInfo(strPathName).absoluteFilePath() != m_strPathName || !IsChangedOnDisk()) {
        return true;
    }
    const QString strText =
        tr("%1 was changed by another program since Quillmar last read or saved it. "
           "Saving now would lose that change.\n\nYes: overwrite it. No: save "
           "under another name. Cancel: do not save.")
            .arg(GetDisplayName());
    // Enter keeps both the other program's change and this one's: it saves under another name.
    switch (AppPrompt().MessageBox(nullptr, strText, IPrompt::Icon::Exclamation,
                                   IPrompt::Buttons::YesNoCancel, IPrompt::Answer::No)) {
    case IPrompt::Answer::Yes:
        // What the user agreed to overwrite; a change after this is asked about again.
        m_diskStamp = CDiskStamp::Of(m_strPathName);
        return true;
    case IPrompt::Answer::No:
        strPathName = AskForSavePath();
        return !strPathName.isEmpty() && ConfirmOverwriteIfChanged(strPathName);
    case IPrompt::Answer::Ok:
    case IPrompt::Answer::Cancel:
        break;
    }
    return false;
}

void CDocument::OnFileChangedOnDisk() {
    // A replaced file is a new one to the watcher: keep watching the path.
    if (!m_watcher.files().contains(m_strPathName) && QFileInfo::exists(m_strPathName)) {
        m_watcher.addPath(m_strPathName);
    }
    CheckDisk();
}

void CDocument::CheckDisk() {
    if (m_bAskingToReload || m_strPathName.isEmpty() || !m_diskStamp.IsValid()) {
        return;
    }
    // A file that is gone loses nothing when it is written again.
    const CFileAttributes now = CFileAttributes::Of(NativeFile::FromQt(m_strPathName));
    if (now.nSize < 0 || now == m_diskStamp.Attributes() || now == m_checkedAttributes) {
        return;
    }
    m_checkedAttributes = now;
    // The same bytes, touched or written back unchanged, are no change.
    if (!IsChangedOnDisk()) {
        return;
    }
    if (!IsModified()) {
        m_bAskingToReload = true;
        const IPrompt::Answer answer = AppPrompt().MessageBox(
            nullptr, tr("%1 was changed by another program. Reload it?").arg(GetDisplayName()),
            IPrompt::Icon::Question, IPrompt::Buttons::YesNo);
        m_bAskingToReload = false;
        if (answer == IPrompt::Answer::Yes && !IsModified()) {
            ReloadDocument();
            return;
        }
    }
    SetDiskChangeShown(true);
}

void CDocument::OnReloadFromDisk() {
    if (IsModified() &&
        AppPrompt().MessageBox(nullptr,
                               tr("Reading %1 again loses the changes not saved yet. Reload it?")
                                   .arg(GetDisplayName()),
                               IPrompt::Icon::Exclamation, IPrompt::Buttons::YesNo,
                               IPrompt::Answer::No) != IPrompt::Answer::Yes) {
        return;
    }
    ReloadDocument();
    // The caption's mark for unsaved changes goes with them.
    if (!IsModified()) {
        SetTitle(GetDisplayName());
    }
}

void CDocument::DismissDiskChange() {
    SetDiskChangeShown(false);
}

void CDocument::SetDiskChangeShown(bool bShown) {
    if (m_bDiskChangeShown != bShown) {
        m_bDiskChangeShown = bShown;
        Q_EMIT DiskChangeShownChanged();
    }
}

void CDocument::ReloadDocument() {
    // What is shown may now be the only copy of the deeds: it stays, to be saved.
    if (!OnOpenDocument(m_strPathName)) {
        MarkModified();
    }
    UpdateAllViews(nullptr);
}

void CDocument::MarkModified() {
    SetModifiedFlag(true);
    SetTitle(GetDisplayName() + ModifiedMarker());
}

bool CDocument::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    switch (AppPrompt().MessageBox(nullptr, tr("Save changes to %1?").arg(GetDisplayName()),
                                   IPrompt::Icon::Exclamation, IPrompt::Buttons::YesNoCancel)) {
    case IPrompt::Answer::Yes:
        return DoFileSave();
    case IPrompt::Answer::No:
        return true;
    case IPrompt::Answer::Ok:
    case IPrompt::Answer::Cancel:
        break;
    }
    return false;
}

QString CDocument::GetDisplayName() const {
    if (!m_strPathName.isEmpty()) {
        return QFileInfo(m_strPathName).fileName();
    }
    QString strName = m_strTitle;
    if (strName.endsWith(ModifiedMarker())) {
        strName.chop(ModifiedMarker().size());
    }
    return strName;
}
