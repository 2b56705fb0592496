#include "model/DuplicateFinder.h"

namespace {

// Each text with its length in front, so no text can pass for the end of another.
void AppendText(std::string& key, const std::string& text) {
    key.append(std::to_string(text.size())).append(":").append(text);
}

} // namespace

std::string CDuplicateFinder::Key(const CBodItem& bod) {
    std::string key;
    for (const std::string* pText :
         {&bod.m_strTrade, &bod.m_strCategory, &bod.m_strMaterial, &bod.m_strAmount,
          &bod.m_strQuality, &bod.m_strItem, &bod.m_strCount, &bod.m_strPrice}) {
        AppendText(key, *pText);
    }
    for (const CBodItemDetail& part : bod.m_arrParts) {
        key += part.IsFilled() ? '+' : '-';
        AppendText(key, part.m_strName);
    }
    return key;
}

void CDuplicateFinder::Add(const CBodItem& bod) {
    m_keys.insert(Key(bod));
}

bool CDuplicateFinder::Contains(const CBodItem& bod) const {
    return m_keys.contains(Key(bod));
}
