#pragma once

#include <string>
#include <vector>

// bodtool import [--mode aos|pre-aos|tooltip] [--note TEXT] FILE.bod [TEXTFILE]: what a player does
// with Import, Paste, Process All and Exit/Save, on a file. A missing FILE.bod starts a new
// document; with no valid deed line the file is left as it was (and a missing one is not created).
int RunImportCommand(const std::vector<std::string>& args);
