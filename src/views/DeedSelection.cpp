#include "views/DeedSelection.h"

void CDeedSelection::Set(const CBodItem* pBod) {
    if (pBod != m_pBod) {
        m_pBod = pBod;
        Q_EMIT Changed();
    }
}
