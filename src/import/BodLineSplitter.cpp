#include "import/BodLineSplitter.h"

#include "import/BodLineParser.h"
#include "import/TooltipReader.h"

namespace {

constexpr std::string_view kOrderWords = "bulk order";
constexpr std::string_view kLineEnds = "\r\n";

} // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(kLineEnds, start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::vector<std::string_view> SplitBodLines(std::string_view text) {
    std::vector<std::string_view> lines = SplitLines(text);
    std::erase_if(lines, [](std::string_view line) {
        return line.find(kOrderWords) == std::string_view::npos;
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
