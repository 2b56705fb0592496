#pragma once

#include <string>
#include <vector>

// bodtool add FILE.bod --trade TRADE (--item ITEM | --set SET) [--gem GEM] [--material M]
// [--amount N] [--exceptional] [--note TEXT]: what a player does with New Deed, on a file. A
// missing FILE.bod starts a new document; a choice the game never makes is a usage error and
// changes nothing. bodtool add --list TRADE prints the names the options take for a trade.
int RunAddCommand(const std::vector<std::string>& args);
