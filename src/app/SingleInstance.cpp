#include "app/SingleInstance.h"

#include "framework/NativeFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSettings>
#include <optional>

namespace {

// A request is this line, one percent-encoded absolute path a line, and an empty line; the
// answer is kTaken. Percent-encoding keeps any path on one line.
const QByteArray kRequestHeader = QByteArrayLiteral("quillmar-open");
const QByteArray kTaken = QByteArrayLiteral("taken\n");
// Far more than any list of paths a desktop passes (a later start hands over at most one); a
// peer that sends more is not one of us.
constexpr qint64 kMaxRequestBytes = 1 << 20;
constexpr qsizetype kMaxRequestFiles = 64;

// Only guards against a hang: a connection is made or refused at once, and a running program
// answers as soon as its event loop runs (message boxes run it too).
constexpr int kConnectGuardMs = 10'000;
constexpr int kAnswerGuardMs = 60'000;
// The lock is held only while a start finds the running program or becomes it; one held longer
// is not worth waiting for.
constexpr int kLockGuardMs = 2'000;
// A program that was quitting when it was reached is tried again, then succeeded.
constexpr int kAttempts = 3;

QByteArray EncodeRequest(const QStringList& files) {
    QByteArray request = kRequestHeader + '\n';
    for (const QString& strFile : files) {
        request += strFile.toUtf8().toPercentEncoding() + '\n';
    }
    return request + '\n';
}

// The paths of a whole request; nullopt while it is incomplete. bBad is set when the bytes are
// no request at all.
std::optional<QStringList> DecodeRequest(const QByteArray& bytes, bool& bBad) {
    const QByteArray header = kRequestHeader + '\n';
    if (!bytes.startsWith(header.left(bytes.size()))) {
        bBad = true;
        return std::nullopt;
    }
    QStringList files;
    qsizetype nStart = header.size();
    for (qsizetype nEnd = bytes.indexOf('\n', nStart); nEnd >= 0;
         nStart = nEnd + 1, nEnd = bytes.indexOf('\n', nStart)) {
        if (nEnd == nStart) {
            return files;
        }
        if (files.size() == kMaxRequestFiles) {
            bBad = true;
            return std::nullopt;
        }
        files.append(
            QString::fromUtf8(QByteArray::fromPercentEncoding(bytes.mid(nStart, nEnd - nStart))));
    }
    return std::nullopt;
}

} // namespace

CSingleInstance::CSingleInstance(QString strServerName, QObject* pParent)
    : QObject(pParent), m_strServerName(std::move(strServerName)) {
    QCoreApplication::instance()->installEventFilter(this);
}

CSingleInstance::~CSingleInstance() {
    QCoreApplication::instance()->removeEventFilter(this);
}

QString CSingleInstance::ServerNameForThisUser() {
    // The settings file's path names the location; the home tells users apart where the
    // settings live in a per-user registry under one name for all.
    const QByteArray key =
        (QDir::homePath() + QLatin1Char('\n') +
         QSettings(QStringLiteral("Larkfield"), QStringLiteral("Quillmar")).fileName())
            .toUtf8();
    const QString strName =
        QStringLiteral("quillmar-") +
        QString::fromLatin1(
            QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
#ifdef Q_OS_WIN
    return strName;
#else
    // A socket and its lock in a shared folder could be made first by another account, which
    // would then be handed every file or hold up every start.
    const QString strFolder = NativeFile::PrivateFolder();
    return strFolder.isEmpty() ? QString() : strFolder + QLatin1Char('/') + strName;
#endif
}

CSingleInstance::Start CSingleInstance::ForwardOrServe(const QStringList& files) {
    // Without a private place for the name this program runs alone.
    if (m_strServerName.isEmpty()) {
        return Start::Run;
    }
    QStringList absoluteFiles;
    for (const QString& strFile : files) {
        absoluteFiles.append(QFileInfo(strFile).absoluteFilePath());
    }
    // Two programs started together must not both find nobody and both serve: the lock makes
    // finding and becoming the server one step.
    QLockFile lock(QDir(QDir::tempPath()).filePath(m_strServerName + QStringLiteral(".lock")));
    for (int nAttempt = 0; nAttempt < kAttempts; ++nAttempt) {
        if (!lock.tryLock(kLockGuardMs)) {
            return Start::Run;
        }
        QLocalSocket socket;
        socket.connectToServer(m_strServerName);
        if (!socket.waitForConnected(kConnectGuardMs)) {
            const bool bNobody = socket.error() == QLocalSocket::ServerNotFoundError ||
                                 socket.error() == QLocalSocket::ConnectionRefusedError;
            // Anything else (a name taken by another user, say) is no reason not to start.
            if (bNobody) {
                Listen();
            }
            return Start::Run;
        }
        // Whoever took the name as another account is told nothing.
        if (!NativeFile::IsPeerThisUser(socket.socketDescriptor())) {
            return Start::Run;
        }
        lock.unlock();
        switch (SendToServer(socket, absoluteFiles)) {
        case Sent::Taken:
            return Start::Forwarded;
        case Sent::NoAnswer:
            return Start::NotAnswered;
        case Sent::ServerGone:
            break;
        }
    }
    return Start::NotAnswered;
}

CSingleInstance::Sent CSingleInstance::SendToServer(QLocalSocket& socket,
                                                    const QStringList& files) const {
    socket.write(EncodeRequest(files));
    socket.waitForBytesWritten(kAnswerGuardMs);
    QByteArray answer;
    while (answer.size() < kTaken.size()) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(kAnswerGuardMs)) {
            return socket.state() == QLocalSocket::ConnectedState ? Sent::NoAnswer
                                                                  : Sent::ServerGone;
        }
        answer += socket.read(kTaken.size() - answer.size());
    }
    return answer == kTaken ? Sent::Taken : Sent::NoAnswer;
}

void CSingleInstance::Listen() {
    // Whoever made the name before is gone (it answered nobody while we held the lock): its
    // socket file is left over from a crash and would stop the listen.
    QLocalServer::removeServer(m_strServerName);
    auto* pServer = new QLocalServer(this);
    pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!pServer->listen(m_strServerName)) {
        delete pServer;
        return;
    }
    m_pServer = pServer;
    connect(m_pServer, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    // A start that reaches a program which has left its event loop would wait for nothing:
    // refused now, it finds nobody and serves itself.
    connect(qApp, &QCoreApplication::aboutToQuit, m_pServer, &QLocalServer::close);
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* pSocket = m_pServer->nextPendingConnection()) {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket] { ReadRequest(pSocket); });
        ReadRequest(pSocket);
    }
}

void CSingleInstance::ReadRequest(QLocalSocket* pSocket) {
    if (pSocket->bytesAvailable() > kMaxRequestBytes) {
        pSocket->abort();
        return;
    }
    bool bBad = false;
    const std::optional<QStringList> files =
        DecodeRequest(pSocket->peek(pSocket->bytesAvailable()), bBad);
    if (bBad) {
        pSocket->abort();
        return;
    }
    if (!files) {
        return;
    }
    pSocket->readAll();
    pSocket->write(kTaken);
    pSocket->disconnectFromServer();
    // Opened from the event loop, after this socket's business is done: an open may show a
    // message box, whose loop would otherwise run inside this one.
    QMetaObject::invokeMethod(
        this, [this, list = *files] { Q_EMIT OpenRequested(list); }, Qt::QueuedConnection);
}

bool CSingleInstance::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::FileOpen) {
        const QString strFile = static_cast<QFileOpenEvent*>(pEvent)->file();
        if (!strFile.isEmpty()) {
            Q_EMIT OpenRequested({strFile});
            return true;
        }
    }
    return QObject::eventFilter(pWatched, pEvent);
}
