#include "cli/StatsCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DeedJson.h"
#include "model/TextUtil.h"

#include <cstdint>
#include <iostream>
#include <map>

namespace {

struct CBodStats {
    std::int64_t nDeeds = 0;
    std::int64_t nLarge = 0;
    std::int64_t nSmall = 0;
    std::int64_t nValid = 0;
    std::int64_t nLargeComplete = 0;
    std::int64_t nLargeFilledParts = 0;
    std::int64_t nLargeOpenParts = 0;
    std::int64_t nSmallComplete = 0;
    std::map<std::string, std::int64_t> byTrade;
    std::map<std::string, std::int64_t> byCategory;
    std::map<std::string, std::int64_t> byMaterial;
};

// A small deed is finished when its count text says at least as many were made as it asks for.
bool IsSmallComplete(const CBodItem& bod) {
    const std::size_t nSlash = bod.m_strCount.find('/');
    if (nSlash == std::string::npos) {
        return false;
    }
    const std::int32_t nMade = TextUtil::Atoi(std::string_view(bod.m_strCount).substr(0, nSlash));
    const std::int32_t nTotal = TextUtil::Atoi(std::string_view(bod.m_strCount).substr(nSlash + 1));
    return nTotal > 0 && nMade >= nTotal;
}

void CountLarge(const CBodItem& bod, CBodStats& stats) {
    ++stats.nLarge;
    // Parts as the form and the shopping list see them: from the catalogue when none are stored.
    CBodItem parts(bod);
    parts.BuildPartsIfNeeded();
    std::int64_t nOpen = 0;
    for (const CBodItemDetail& part : parts.m_arrParts) {
        nOpen += part.IsFilled() ? 0 : 1;
    }
    stats.nLargeOpenParts += nOpen;
    stats.nLargeFilledParts += parts.GetPartCount() - nOpen;
    if (parts.GetPartCount() > 0 && nOpen == 0) {
        ++stats.nLargeComplete;
    }
}

CBodStats Collect(const CBodArray& bods) {
    CBodStats stats;
    for (const std::unique_ptr<CBodItem>& pBod : bods) {
        ++stats.nDeeds;
        if (pBod->IsLarge()) {
            CountLarge(*pBod, stats);
        } else {
            ++stats.nSmall;
            stats.nSmallComplete += IsSmallComplete(*pBod) ? 1 : 0;
        }
        stats.nValid += pBod->IsValid() ? 1 : 0;
        ++stats.byTrade[pBod->m_strTrade];
        ++stats.byCategory[pBod->m_strCategory];
        ++stats.byMaterial[pBod->m_strMaterial];
    }
    return stats;
}

void AppendCount(std::string& out, const char* pszName, std::int64_t nValue) {
    out += '"';
    out += pszName;
    out += "\":" + std::to_string(nValue) + ',';
}

void AppendCounts(std::string& out, const char* pszName,
                  const std::map<std::string, std::int64_t>& counts) {
    out += '"';
    out += pszName;
    out += "\":{";
    const char* pszSeparator = "";
    for (const auto& [strText, nCount] : counts) {
        out += pszSeparator;
        DeedJson::AppendString(out, strText);
        out += ':' + std::to_string(nCount);
        pszSeparator = ",";
    }
    out += '}';
}

} // namespace

int RunStatsCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {});
    const BodFile::Contents document = LoadBodDocument(commandArgs.Positionals(1, 1).front());
    const CBodStats stats = Collect(document.bods);

    std::string out = "{";
    AppendCount(out, "deeds", stats.nDeeds);
    AppendCount(out, "large", stats.nLarge);
    AppendCount(out, "small", stats.nSmall);
    AppendCount(out, "valid", stats.nValid);
    AppendCount(out, "largeComplete", stats.nLargeComplete);
    AppendCount(out, "largeFilledParts", stats.nLargeFilledParts);
    AppendCount(out, "largeOpenParts", stats.nLargeOpenParts);
    AppendCount(out, "smallComplete", stats.nSmallComplete);
    AppendCounts(out, "byTrade", stats.byTrade);
    out += ',';
    AppendCounts(out, "byCategory", stats.byCategory);
    out += ',';
    AppendCounts(out, "byMaterial", stats.byMaterial);
    out += "}\n";
    std::cout << out << std::flush;
    return 0;
}
