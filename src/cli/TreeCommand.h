#pragma once

#include <string>
#include <vector>

// bodtool tree [--shopping] FILE.bod: prints the deed hierarchy as the tree pane builds it, every
// node expanded, one node a line: two blanks per level of depth, the label, a tab, the image
// index. --shopping shows the document's shopping list instead of its deeds.
int RunTreeCommand(const std::vector<std::string>& args);
