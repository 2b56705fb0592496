#pragma once

#include <string>
#include <vector>

// bodtool dump FILE.bod: prints the document's reserved words and every deed in file order as
// one JSON object.
int RunDumpCommand(const std::vector<std::string>& args);
