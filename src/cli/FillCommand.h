#pragma once

#include <string>
#include <vector>

// bodtool fill FILE.bod: what a player does with Edit > Fill Large Deeds, on a file that must be
// there. Prints what was filled; a document in which nothing can be filled is left untouched.
int RunFillCommand(const std::vector<std::string>& args);
