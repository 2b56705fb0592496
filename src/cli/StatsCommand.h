#pragma once

#include <string>
#include <vector>

// bodtool stats FILE.bod: prints counts that tell a player where a collection stands: deeds,
// large and small, valid ones, finished ones, filled and open parts, and deeds per trade,
// category and material.
int RunStatsCommand(const std::vector<std::string>& args);
