#pragma once

#include <string>
#include <vector>

// bodtool print [--expand all|root] FILE.bod OUT.pdf: prints the document's hierarchy to a PDF
// as File > Print does, on A4 paper (the same pages everywhere, whatever the local paper size).
// --expand all (the default) opens every branch; --expand root leaves the tree as a freshly
// opened document shows it, with only the root expanded.
int RunPrintCommand(const std::vector<std::string>& args);
