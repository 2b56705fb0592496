#include "BodToolRunner.h"

#include "model/BodFile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

BodToolResult Run(QProcess& process, const QStringList& args, const QByteArray& input) {
    process.start(QStringLiteral(QUILLMAR_BODTOOL), args);
    EXPECT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000)) << args.join(' ').toStdString();
    EXPECT_EQ(QProcess::NormalExit, process.exitStatus()) << args.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

BodToolResult RunBodTool(const QStringList& args, const QByteArray& input,
                         TestPlatform::ChildSetup setup) {
    QProcess process;
    TestPlatform::Prepare(process, setup);
    return Run(process, args, input);
}

#ifndef Q_OS_WIN
BodToolResult RunBodTool(const QStringList& args, const QByteArray& input,
                         const std::function<void()>& childSetup) {
    QProcess process;
    process.setChildProcessModifier(childSetup);
    return Run(process, args, input);
}
#endif

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

void WriteBodFile(const QString& strPath, const CBodArray& bods, int nReserved2, int nReserved1) {
    WriteFileBytes(strPath,
                   QByteArray::fromStdString(BodFile::Write(bods, nReserved2, nReserved1)));
}

ReadOnlyFile::ReadOnlyFile(const QString& strPath) : m_strPath(strPath) {
    QFile::setPermissions(strPath, QFileDevice::ReadOwner);
    m_bImmutable = QFileInfo(strPath).isWritable() &&
                   QProcess::execute(QStringLiteral("chattr"), {"+i", strPath}) == 0;
    EXPECT_FALSE(QFileInfo(strPath).isWritable()) << "still writable: " << strPath.toStdString();
}

ReadOnlyFile::~ReadOnlyFile() {
    if (m_bImmutable) {
        QProcess::execute(QStringLiteral("chattr"), {"-i", m_strPath});
    }
    QFile::setPermissions(m_strPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
