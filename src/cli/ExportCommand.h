#pragma once

#include <string>
#include <vector>

// bodtool export [--format csv|json] FILE.bod: prints every deed of the document, in file order,
// as the CSV that File > Export writes (the default) or as {"deeds": [deed, ...]}.
int RunExportCommand(const std::vector<std::string>& args);
