#include "framework/SafeWrite.h"

#include "support/BodToolRunner.h"
#include "support/FailDevice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kPrevious = "the previous deeds";

// Bytes larger than the limits below but smaller than any write buffer, so that a failure
// shows only when the buffer is flushed.
QByteArray NewBytes() {
    return QByteArray(4000, 'n');
}

class SafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override { WriteFileBytes(Path(), kPrevious); }
    void TearDown() override { SafeWrite::SetDeviceWrapper(nullptr); }
    QString Path(const QString& strName = "deeds.bod") const { return m_dir.filePath(strName); }
    void FailAt(qint64 nByte) {
        SafeWrite::SetDeviceWrapper([nByte](QIODevice& file) -> std::unique_ptr<QIODevice> {
            return std::make_unique<FailDevice>(file, nByte);
        });
    }
    QStringList Files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
};

TEST_F(SafeWriteTest, AWriteThatFailsAtAnyByteKeepsThePreviousFile) {
    for (const qint64 nByte : {qint64{0}, qint64{1}, qint64{2000}, qint64{3999}}) {
        FailAt(nByte);
        EXPECT_FALSE(SafeWrite::WriteFile(Path(), NewBytes()).isEmpty()) << nByte;
        EXPECT_EQ(kPrevious, ReadFileBytes(Path())) << nByte;
        EXPECT_EQ(QStringList{"deeds.bod"}, Files()) << nByte;
    }
}

// A size limit cuts the file when the write buffer is flushed; the process must not take that
// for success. The child ignores SIGXFSZ so the write fails instead of killing it.
TEST_F(SafeWriteTest, ASizeLimitInAChildProcessKeepsThePreviousFile) {
    const pid_t pid = fork();
    ASSERT_NE(-1, pid);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(SafeWrite::WriteFile(Path(), NewBytes()).isEmpty() ? 0 : 3);
    }
    int nStatus = 0;
    ASSERT_EQ(pid, waitpid(pid, &nStatus, 0));
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(3, WEXITSTATUS(nStatus));
    EXPECT_EQ(kPrevious, ReadFileBytes(Path()));
    EXPECT_EQ(QStringList{"deeds.bod"}, Files());
}

// A file whose folder takes no new names (here: the name leaves no room for the temporary
// file's suffix) is rewritten in place; when that fails, its previous bytes are put back.
TEST_F(SafeWriteTest, AFolderThatTakesNoNewFileIsWrittenInPlaceOrRestored) {
    const QString strLong = Path(QString(250, 'd'));
    WriteFileBytes(strLong, kPrevious);
    EXPECT_EQ(QString(), SafeWrite::WriteFile(strLong, NewBytes()));
    EXPECT_EQ(NewBytes(), ReadFileBytes(strLong));

    WriteFileBytes(strLong, kPrevious);
    FailAt(100);
    const QString strReason = SafeWrite::WriteFile(strLong, NewBytes());
    EXPECT_TRUE(strReason.contains("previous content")) << strReason.toStdString();
    EXPECT_EQ(kPrevious, ReadFileBytes(strLong));
}

} // namespace
