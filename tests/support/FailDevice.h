#pragma once

#include <QIODevice>
#include <algorithm>

// A device in front of another that passes the first nFailAt bytes written through and then
// fails, as a disk does when it fills up in the middle of a file.
class FailDevice final : public QIODevice {
public:
    FailDevice(QIODevice& target, qint64 nFailAt) : m_target(target), m_nLeft(nFailAt) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char* /*pData*/, qint64 /*nMaxSize*/) override { return -1; }
    qint64 writeData(const char* pData, qint64 nSize) override {
        const qint64 nPass = std::min(nSize, m_nLeft);
        if (nPass > 0 && m_target.write(pData, nPass) != nPass) {
            return -1;
        }
        m_nLeft -= nPass;
        return nPass == nSize ? nSize : -1;
    }

private:
    QIODevice& m_target;
    qint64 m_nLeft;
};
