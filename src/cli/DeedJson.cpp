#include "cli/DeedJson.h"

#include "model/Utf8.h"

#include <array>
#include <cstdio>

namespace DeedJson {

namespace {

void AppendEscape(std::string& out, unsigned char c) {
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default: {
        std::array<char, 7> escape{};
        std::snprintf(escape.data(), escape.size(), "\\u%04x", c);
        out += escape.data();
    }
    }
}

void AppendMember(std::string& out, std::string_view name, std::string_view text) {
    AppendString(out, name);
    out += ':';
    AppendString(out, text);
}

} // namespace

void AppendString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x20 || c == '"' || c == '\\') {
            AppendEscape(out, c);
            ++pos;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++pos;
        } else {
            Utf8::Append(out, Utf8::DecodeNext(text, pos));
        }
    }
    out += '"';
}

void AppendMembers(std::string& out, const CBodItem& bod) {
    const std::pair<std::string_view, const std::string*> texts[] = {
        {"trade", &bod.m_strTrade},       {"category", &bod.m_strCategory},
        {"material", &bod.m_strMaterial}, {"amount", &bod.m_strAmount},
        {"quality", &bod.m_strQuality},   {"item", &bod.m_strItem},
        {"count", &bod.m_strCount},       {"price", &bod.m_strPrice},
        {"notes", &bod.m_strNotes}};
    for (const auto& [name, text] : texts) {
        AppendMember(out, name, *text);
        out += ',';
    }
    out += "\"time\":";
    out += std::to_string(bod.m_timeAdded);
    out += ",\"partsBuilt\":";
    out += bod.m_bPartsBuilt ? "true" : "false";
    out += ",\"parts\":[";
    for (int i = 0; i < bod.GetPartCount(); ++i) {
        const CBodItemDetail& part = *bod.GetPart(i);
        out += i == 0 ? "{" : ",{";
        AppendMember(out, "name", part.m_strName);
        out += ",\"filled\":";
        out += part.IsFilled() ? "true" : "false";
        out += '}';
    }
    out += ']';
}

void AppendObject(std::string& out, const CBodItem& bod) {
    out += '{';
    AppendMembers(out, bod);
    out += '}';
}

void AppendDeedsMember(std::string& out, const CBodArray& bods) {
    out += "\"deeds\":[";
    bool bFirst = true;
    for (const std::unique_ptr<CBodItem>& pBod : bods) {
        if (pBod) {
            out += bFirst ? "" : ",";
            AppendObject(out, *pBod);
            bFirst = false;
        }
    }
    out += ']';
}

} // namespace DeedJson
