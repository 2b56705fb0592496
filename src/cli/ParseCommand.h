#pragma once

#include <string>
#include <vector>

// bodtool parse [--mode aos|pre-aos|tooltip] [TEXTFILE]: reads pasted UOAssist text as the Import
// dialog does and prints each deed line's deed, its text and whether it is valid, one JSON object a
// line.
int RunParseCommand(const std::vector<std::string>& args);
