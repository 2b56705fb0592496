#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Splits pasted text into deed lines: lines end at CR LF, LF or CR; every line that contains
// "bulk order" (case-sensitive) is one deed line, without its line end; other lines are ignored.
std::vector<std::string_view> SplitBodLines(std::string_view text);

// Calls onLine with every line of text, without its line end (CR LF, LF or CR), in order; no
// list of them is made, since a paste may hold millions of empty lines.
template <typename OnLine> void ForEachLine(std::string_view text, OnLine&& onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        onLine(text.substr(start, end - start));
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}

// The texts of a paste that each become one deed: its deed lines, or in the tooltip paste mode
// its tooltip blocks, which are kept in `blocks` for the views to point into.
std::vector<std::string_view> SplitPaste(std::string_view text, int nPasteMode,
                                         std::vector<std::string>& blocks);
