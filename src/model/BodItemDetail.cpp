#include "model/BodItemDetail.h"

#include "model/Archive.h"

void CBodItemDetail::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(m_bFilled);
        ar.WriteText(m_strName);
    } else {
        m_bFilled = ar.ReadInt32();
        m_strName = ar.ReadText();
    }
}
