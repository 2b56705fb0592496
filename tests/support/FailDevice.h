#pragma once

#include <QIODevice>

// A device in front of another that passes the first nFailAt bytes written through and then
// fails, as a disk does when it fills up in the middle of a file.
class FailDevice final : public QIODevice {
public:
    FailDevice(QIODevice& target, qint64 nFailAt);

protected:
    qint64 readData(char* /*pData*/, qint64 /*nMaxSize*/) override { return -1; }
    qint64 writeData(const char* pData, qint64 nSize) override;

private:
    QIODevice& m_target;
    qint64 m_nLeft;
};
