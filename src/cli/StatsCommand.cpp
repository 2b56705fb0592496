#include "cli/StatsCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DeedJson.h"
#include "model/BodStats.h"

#include <cstdint>
#include <iostream>
#include <map>

namespace {

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

void AppendPoints(std::string& out, const CBodPoints& points) {
    out += "{\"turnIn\":" + std::to_string(points.nTurnIn) +
           ",\"bank\":" + BodPoints::FormatBank(points.nBankHundredths) + '}';
}

} // namespace

int RunStatsCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {});
    const BodFile::Contents document = LoadBodDocument(commandArgs.Positionals(1, 1).front());
    const CBodStats stats = BodStats::Collect(document.bods);

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
    // Points come on a line of their own, so scripts that read the first line read it unchanged.
    CBodPoints total = stats.largePoints;
    total += stats.smallPoints;
    out += "{\"points\":";
    AppendPoints(out, total);
    out += ",\"largePoints\":";
    AppendPoints(out, stats.largePoints);
    out += ",\"smallPoints\":";
    AppendPoints(out, stats.smallPoints);
    out += ",\"pointsByTrade\":{";
    const char* pszSeparator = "";
    for (const auto& [strTrade, points] : stats.pointsByTrade) {
        out += pszSeparator;
        DeedJson::AppendString(out, strTrade);
        out += ':';
        AppendPoints(out, points);
        pszSeparator = ",";
    }
    out += "}}\n";
    std::cout << out << std::flush;
    return 0;
}
