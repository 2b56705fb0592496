#pragma once

#include "model/BodItem.h"

#include <string>

// A deed in one line, "trade|category|material|amount|quality|item|count|price", then its parts:
// each name ('+' before a filled one), or without names one '+' or '-' each, as in "|--+-".
inline std::string DeedText(const CBodItem& b, bool bPartNames = true) {
    std::string text = b.m_strTrade + '|' + b.m_strCategory + '|' + b.m_strMaterial + '|' +
                       b.m_strAmount + '|' + b.m_strQuality + '|' + b.m_strItem + '|' +
                       b.m_strCount + '|' + b.m_strPrice + (bPartNames ? "" : "|");
    for (const CBodItemDetail& part : b.m_arrParts) {
        text += bPartNames ? (part.IsFilled() ? "|+" : "|") + part.m_strName
                           : (part.IsFilled() ? "+" : "-");
    }
    return text;
}
