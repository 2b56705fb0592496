#include "XSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

QByteArray RunXTool(const QString& strProgram, const QStringList& args) {
    QProcess process;
    process.start(strProgram, args);
    // The tools only talk to the X server, so the program under test need not run meanwhile:
    // what they send waits in its queue.
    const bool bDone = process.waitForFinished(60000) &&
                       process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return bDone ? process.readAllStandardOutput() : QByteArray();
}

bool WaitFor(const std::function<bool()>& bDone, std::chrono::milliseconds guard) {
    const QDeadlineTimer deadline(guard);
    while (!bDone()) {
        if (deadline.hasExpired()) {
            return false;
        }
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QThread::msleep(10);
    }
    return true;
}
