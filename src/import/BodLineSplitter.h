#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits pasted text into deed lines: lines end at CR LF, LF or CR; every line that contains
// "bulk order" (case-sensitive) is one deed line, without its line end; other lines are ignored.
std::vector<std::string_view> SplitBodLines(std::string_view text);

// Every line of text, without its line end (CR LF, LF or CR).
std::vector<std::string_view> SplitLines(std::string_view text);

// The texts of a paste that each become one deed: its deed lines, or in the tooltip paste mode
// its tooltip blocks, which are kept in `blocks` for the views to point into.
std::vector<std::string_view> SplitPaste(std::string_view text, int nPasteMode,
                                         std::vector<std::string>& blocks);
