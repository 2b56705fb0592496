#include "import/BodLineSplitter.h"

namespace {

constexpr std::string_view kOrderWords = "bulk order";
constexpr std::string_view kLineEnds = "\r\n";

} // namespace

std::vector<std::string_view> SplitBodLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(kLineEnds, start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        if (line.find(kOrderWords) != std::string_view::npos) {
            lines.push_back(line);
        }
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
            ++start;
        }
    }
    return lines;
}
