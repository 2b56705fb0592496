#include "app/QuillmarApp.h"

#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "framework/DocManager.h"
#include "framework/Prompt.h"
#include "framework/Resources.h"
#include "views/LeftView.h"
#include "views/TreePrinter.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {

constexpr int kRecentFileCount = 4;

bool IsPrintSwitch(const QString& strArgument) {
    return strArgument == QLatin1String("/p") || strArgument == QLatin1String("-p") ||
           strArgument == QLatin1String("--print");
}

bool IsSwitch(const QString& strArgument) {
    // "/p" style switches are two characters long; anything longer that starts with "/" is a
    // path here.
    return strArgument.startsWith(QLatin1Char('-')) ||
           (strArgument.size() == 2 && strArgument.startsWith(QLatin1Char('/')));
}

} // namespace

CQuillmarApp::CCommandLineInfo CQuillmarApp::CCommandLineInfo::Parse(const QStringList& arguments) {
    CCommandLineInfo info;
    bool bPrint = false;
    for (const QString& strArgument : arguments) {
        if (IsPrintSwitch(strArgument)) {
            bPrint = true;
        } else if (!IsSwitch(strArgument) && info.strFileName.isEmpty()) {
            info.strFileName = strArgument;
        }
    }
    if (!info.strFileName.isEmpty()) {
        info.nShellCommand = bPrint ? ShellCommand::FilePrint : ShellCommand::FileOpen;
    }
    return info;
}

CQuillmarApp::CQuillmarApp(QStringList arguments) : m_arguments(std::move(arguments)) {}

CQuillmarApp::~CQuillmarApp() {
    // Windows first: a document window leaving stores its placement and split, and must not
    // find its document gone half way.
    if (m_pDocManager) {
        m_pDocManager->CloseAllDocuments();
    }
    m_pMainFrame.reset();
    m_pDocManager.reset();
}

bool CQuillmarApp::InitInstance() {
    QCoreApplication::setOrganizationName(QStringLiteral("Larkfield"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmar"));
    InitQuillmarResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/quillmar.svg")));
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmar"));

    CDocTemplate docTemplate;
    docTemplate.createDocument = [] {
        return std::make_unique<CQuillmarDoc>();
    };
    docTemplate.createFrame = [this](CDocument* pDoc) {
        return m_pMainFrame && m_pMainFrame->CreateChildFrame(pDoc) != nullptr;
    };
    m_pDocManager = std::make_unique<CDocManager>(std::move(docTemplate));
    m_pDocManager->LoadStdProfileSettings(kRecentFileCount);

    m_pMainFrame = std::make_unique<CMainFrame>(*m_pDocManager);

    const CCommandLineInfo info = CCommandLineInfo::Parse(m_arguments);
    if (!ProcessShellCommand(info)) {
        m_nExitCode = 1;
        return false;
    }
    if (info.nShellCommand == CCommandLineInfo::ShellCommand::FilePrint) {
        // Printing from the command line is all the program was asked to do.
        return false;
    }
    m_pMainFrame->ShowFrame();
    return true;
}

bool CQuillmarApp::ProcessShellCommand(const CCommandLineInfo& info) {
    switch (info.nShellCommand) {
    case CCommandLineInfo::ShellCommand::FileNew:
        return m_pDocManager->OnFileNew() != nullptr;
    case CCommandLineInfo::ShellCommand::FileOpen:
        return m_pDocManager->OpenDocumentFile(info.strFileName) != nullptr;
    case CCommandLineInfo::ShellCommand::FilePrint:
        return PrintDocumentFile(info.strFileName);
    }
    return false;
}

bool CQuillmarApp::PrintDocumentFile(const QString& strFileName) {
    if (m_pDocManager->OpenDocumentFile(strFileName) == nullptr) {
        return false;
    }
    const CChildFrame* pFrame = m_pMainFrame->GetActiveChildFrame();
    const bool bPrinted =
        pFrame != nullptr &&
        PrintTree(*pFrame->GetLeftView(), pFrame->windowTitle(), m_pMainFrame->GetPrinter());
    m_pDocManager->CloseAllDocuments();
    if (!bPrinted) {
        const QString strMessage =
            QObject::tr("%1 could not be printed. Check that a printer is installed and ready.")
                .arg(strFileName);
        std::fprintf(stderr, "%s\n", qPrintable(strMessage));
        AppPrompt().MessageBox(nullptr, strMessage, IPrompt::Icon::Exclamation,
                               IPrompt::Buttons::Ok);
    }
    return bPrinted;
}
