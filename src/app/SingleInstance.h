#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One running program per user and settings location. A later start hands its files to the
// running one through a local socket and ends; the running one learns of them through
// OpenRequested, as it does of the files the desktop asks it to open (Finder on macOS).
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        Run,        // nobody else runs (or could be reached): this process goes on
        Forwarded,  // the running program took the files; this one ends
        NotAnswered // a running program was found but did not take them
    };

    // Listens for the desktop's file-open requests at once; talks to other processes only
    // in ForwardOrServe.
    explicit CSingleInstance(QString strServerName = ServerNameForThisUser(),
                             QObject* pParent = nullptr);
    ~CSingleInstance() override;
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Differs between users and between settings locations, so two homes never meet. Outside
    // Windows a path in the user's private folder (NativeFile::PrivateFolder), where no other
    // account can make the name first; empty when there is none, and the program runs alone.
    static QString ServerNameForThisUser();

    // Hands files to the program that runs already, or else becomes the one that runs and
    // answers later starts. Relative paths are made absolute here, where they were meant. A
    // server of another account hears nothing, and a lock that stays taken is waited for at
    // most two seconds: this program then runs alone.
    Start ForwardOrServe(const QStringList& files);

Q_SIGNALS:
    // Absolute paths to open, in the order they were asked for; may be empty (just come to
    // the front).
    void OpenRequested(const QStringList& files);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    enum class Sent { Taken, ServerGone, NoAnswer };
    Sent SendToServer(QLocalSocket& socket, const QStringList& files) const;
    // Serves later starts; without a server (the name is taken by someone we cannot reach)
    // this program simply runs alone.
    void Listen();
    void OnNewConnection();
    void ReadRequest(QLocalSocket* pSocket);

    QString m_strServerName;
    QLocalServer* m_pServer = nullptr;
};
