#pragma once

#include <string_view>
#include <vector>

// Splits pasted text into deed lines: lines end at CR LF, LF or CR; every line that contains
// "bulk order" (case-sensitive) is one deed line, without its line end; other lines are ignored.
std::vector<std::string_view> SplitBodLines(std::string_view text);
