#include "import/BodLineSplitter.h"

#include "import/BodLineParser.h"
#include "import/TooltipReader.h"

namespace {

constexpr std::string_view kOrderWords = "bulk order";

} // namespace

std::vector<std::string_view> SplitBodLines(std::string_view text) {
    std::vector<std::string_view> lines;
    ForEachLine(text, [&lines](std::string_view line) {
        if (line.find(kOrderWords) != std::string_view::npos) {
            lines.push_back(line);
        }
    });
    return lines;
}

std::vector<std::string_view> SplitPaste(std::string_view text, int nPasteMode,
                                         std::vector<std::string>& blocks) {
    if (nPasteMode != CBodLineParser::kPasteTooltip) {
        return SplitBodLines(text);
    }
    blocks = TooltipReader::SplitBlocks(text);
    return {blocks.begin(), blocks.end()};
}
