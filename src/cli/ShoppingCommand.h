#pragma once

#include <string>
#include <vector>

// bodtool shopping FILE.bod: prints the document's shopping list, every large deed followed by
// the small deeds it still needs, as one JSON object.
int RunShoppingCommand(const std::vector<std::string>& args);
