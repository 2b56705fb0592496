#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class CDocManager;
class CMainFrame;

// The application: settings key, the one document type, the main window and the command line.
// Constructed with the arguments after the program name; InitInstance does the start-up, the
// caller runs the event loop when it succeeds.
class CQuillmarApp {
public:
    // What the command line asks for.
    struct CCommandLineInfo {
        enum class ShellCommand { FileNew, FileOpen, FilePrint };
        ShellCommand nShellCommand = ShellCommand::FileNew;
        QString strFileName;
        // Asked with --help or --version: answered instead of starting.
        bool bShowHelp = false;
        bool bShowVersion = false;

        // "FILE" opens it; "/p FILE", "-p FILE" or "--print FILE" prints it and ends; no file
        // makes a new document. Other switches are ignored. On this platform a path may start
        // with "/", so only the exact switch spellings count as switches.
        static CCommandLineInfo Parse(const QStringList& arguments);
        // What --help prints; needs a QCoreApplication, for the program's name.
        static QString HelpText();
    };

    explicit CQuillmarApp(QStringList arguments);
    ~CQuillmarApp();
    CQuillmarApp(const CQuillmarApp&) = delete;
    CQuillmarApp& operator=(const CQuillmarApp&) = delete;

    // False when the program is to end now, with GetExitCode(): the main window or the first
    // document could not be made, or the command line's work (printing) is done.
    bool InitInstance();
    int GetExitCode() const { return m_nExitCode; }
    // A running Quillmar took nothing from this start: says so and gives the exit code.
    static int ReportNotAnswered(const QString& strFileName);
    // Files another start or the desktop asked for: each opens as File > Open opens it, with
    // the same messages (but one for all the missing ones of a list), and the main window
    // comes to the front.
    void OpenFiles(const QStringList& files);

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CDocManager* GetDocManager() const { return m_pDocManager.get(); }

private:
    // On standard error for a shell, in a message box for the desktop.
    static void ReportFailure(const QString& strMessage);
    bool ProcessShellCommand(const CCommandLineInfo& info);
    bool PrintDocumentFile(const QString& strFileName);

    QStringList m_arguments;
    std::unique_ptr<CDocManager> m_pDocManager;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    int m_nExitCode = 0;
};
