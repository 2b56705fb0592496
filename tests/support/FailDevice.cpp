#include "support/FailDevice.h"

#include <algorithm>

FailDevice::FailDevice(QIODevice& target, qint64 nFailAt) : m_target(target), m_nLeft(nFailAt) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 FailDevice::writeData(const char* pData, qint64 nSize) {
    const qint64 nPass = std::min(nSize, m_nLeft);
    if (nPass > 0 && m_target.write(pData, nPass) != nPass) {
        return -1;
    }
    m_nLeft -= nPass;
    return nPass == nSize ? nSize : -1;
}
