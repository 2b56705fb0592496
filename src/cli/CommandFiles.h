#pragma once

#include "model/BodFile.h"

#include <stdexcept>
#include <string>

// A document or text that cannot be read or written; bodtool prints the message and exits
// with status 1.
class CDocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole content of a file, or of standard input when strPath is empty. Throws
// CDocumentError naming the file and the reason.
std::string ReadInputBytes(const std::string& strPath);

// Loads a *.bod file. A malformed file throws CDocumentError("Unexpected file format."), one
// that cannot be opened a CDocumentError naming it and the reason.
BodFile::Contents LoadBodDocument(const std::string& strPath);
