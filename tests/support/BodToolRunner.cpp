#include "BodToolRunner.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

BodToolResult RunBodTool(const QStringList& args, const QByteArray& input, long nFileSizeLimit) {
    QProcess process;
    if (nFileSizeLimit >= 0) {
        process.setChildProcessModifier([nFileSizeLimit] {
            const rlimit limit{static_cast<rlim_t>(nFileSizeLimit),
                               static_cast<rlim_t>(nFileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);
        });
    }
    process.start(QStringLiteral(QUILLMAR_BODTOOL), args);
    EXPECT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000)) << args.join(' ').toStdString();
    EXPECT_EQ(QProcess::NormalExit, process.exitStatus()) << args.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray ReadFileBytes(const QString& strPath) {
    QFile file(strPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << strPath.toStdString();
    return file.readAll();
}

void WriteFileBytes(const QString& strPath, const QByteArray& bytes) {
    QFile file(strPath);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << strPath.toStdString();
    EXPECT_EQ(bytes.size(), file.write(bytes)) << strPath.toStdString();
}

ReadOnlyFile::ReadOnlyFile(const QString& strPath) : m_strPath(strPath) {
    QFile::setPermissions(strPath, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    if (QFileInfo(strPath).isWritable()) {
        m_bImmutable = QProcess::execute(QStringLiteral("chattr"), {"+i", strPath}) == 0;
    }
    EXPECT_FALSE(QFileInfo(strPath).isWritable())
        << "cannot make read-only: " << strPath.toStdString();
}

ReadOnlyFile::~ReadOnlyFile() {
    if (m_bImmutable) {
        QProcess::execute(QStringLiteral("chattr"), {"-i", m_strPath});
    }
    QFile::setPermissions(m_strPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

FileSizeLimit::FileSizeLimit(long nBytes) {
    getrlimit(RLIMIT_FSIZE, &m_old);
    const rlimit limit{static_cast<rlim_t>(nBytes), m_old.rlim_max};
    EXPECT_EQ(0, setrlimit(RLIMIT_FSIZE, &limit));
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    signal(SIGXFSZ, m_oldHandler);
}
