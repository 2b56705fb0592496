#include "app/QuillmarApp.h"

#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "framework/DocManager.h"
#include "framework/Prompt.h"
#include "framework/Resources.h"
#include "views/LeftView.h"
#include "views/PrintCommands.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <tuple>

namespace {

constexpr int kRecentFileCount = 4;

// The switches as the parser knows them. Windows shells write "/p"; any other two-character
// "/x" is a shell switch this program does not take, while anything longer that starts with "/"
// is a path here.
QStringList PosixSwitches(const QStringList& arguments) {
    QStringList mapped;
    for (const QString& strArgument : arguments) {
        if (strArgument == QLatin1String("/p")) {
            mapped.append(QStringLiteral("-p"));
        } else if (strArgument.size() != 2 || !strArgument.startsWith(QLatin1Char('/'))) {
            mapped.append(strArgument);
        }
    }
    return mapped;
}

void AddOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "CQuillmarApp", "Keeps track of the bulk order deeds of Ultima Online."));
    // "-style" is one of Qt's options, not -s -t -y -l -e.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Qt's own help option would also offer --help-all, which needs a running application.
    parser.addOption({{QStringLiteral("?"), QStringLiteral("h"), QStringLiteral("help")},
                      QCoreApplication::translate("CQuillmarApp", "Show this help and end.")});
    parser.addVersionOption();
    parser.addOption({{QStringLiteral("p"), QStringLiteral("print")},
                      QCoreApplication::translate(
                          "CQuillmarApp", "Print FILE and end, without showing a window.")});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QCoreApplication::translate("CQuillmarApp", "The *.bod document to open or print."),
        QStringLiteral("[FILE]"));
}

} // namespace

CQuillmarApp::CCommandLineInfo CQuillmarApp::CCommandLineInfo::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    AddOptions(parser);
    // An unknown switch is ignored, as it always was: the result only tells about those.
    // QCommandLineParser wants the program's name first.
    std::ignore = parser.parse(QStringList{QString()} + PosixSwitches(arguments));
    CCommandLineInfo info;
    info.bShowHelp = parser.isSet(QStringLiteral("help"));
    info.bShowVersion = parser.isSet(QStringLiteral("version"));
    QStringList files = parser.positionalArguments();
    files.removeAll(QString());
    if (!files.isEmpty()) {
        info.strFileName = files.front();
        info.nShellCommand = parser.isSet(QStringLiteral("print")) ? ShellCommand::FilePrint
                                                                   : ShellCommand::FileOpen;
    }
    return info;
}

QString CQuillmarApp::CCommandLineInfo::HelpText() {
    QCommandLineParser parser;
    AddOptions(parser);
    return parser.helpText();
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

void CQuillmarApp::OpenFiles(const QStringList& files) {
    if (!m_pDocManager || !m_pMainFrame) {
        return;
    }
    // Of many files, those that are not there are told in one message, not a box each.
    QStringList missing;
    for (const QString& strFile : files) {
        if (files.size() > 1 && !QFileInfo::exists(strFile)) {
            missing.append(strFile);
        } else {
            m_pDocManager->OpenDocumentFile(strFile);
        }
    }
    if (!missing.isEmpty()) {
        AppPrompt().MessageBox(
            nullptr,
            QCoreApplication::translate("CQuillmarApp", "These files were not found:\n%1")
                .arg(missing.join(QLatin1Char('\n'))),
            IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
    }
    // A window not shown yet is still starting and shows itself.
    if (m_pMainFrame->isVisible()) {
        m_pMainFrame->setWindowState(m_pMainFrame->windowState() & ~Qt::WindowMinimized);
        m_pMainFrame->raise();
        m_pMainFrame->activateWindow();
    }
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
        PrintTree(*pFrame->GetLeftView(), pFrame->GetPrintTitle(), m_pMainFrame->GetPrinter());
    m_pDocManager->CloseAllDocuments();
    if (!bPrinted) {
        ReportFailure(QCoreApplication::translate(
                          "CQuillmarApp",
                          "%1 could not be printed. Check that a printer is installed and ready.")
                          .arg(strFileName));
    }
    return bPrinted;
}

int CQuillmarApp::ReportNotAnswered(const QString& strFileName) {
    ReportFailure(
        strFileName.isEmpty()
            ? QCoreApplication::translate("CQuillmarApp",
                                          "Quillmar is already running but did not answer.")
            : QCoreApplication::translate("CQuillmarApp", "Quillmar is already running but did not "
                                                          "answer, so %1 was not opened.")
                  .arg(strFileName));
    return 1;
}

void CQuillmarApp::ReportFailure(const QString& strMessage) {
    std::fprintf(stderr, "%s\n", qPrintable(strMessage));
    AppPrompt().MessageBox(nullptr, strMessage, IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
}
