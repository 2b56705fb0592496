#pragma once

#include "framework/DiskStamp.h"
#include "framework/WriteLock.h"
#include "model/BodFile.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// A document or text that cannot be read or written; bodtool prints the message and exits
// with status 1.
class CDocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The most a text argument or standard input may hold. A pasted deed list is a few kilobytes;
// the limit only stops an endless source such as /dev/zero.
constexpr std::int64_t kMaxTextBytes = std::int64_t{64} << 20;

// The whole content of a text file, or of standard input when strPath is "-". Throws
// CDocumentError naming the file and the reason, also for more than kMaxTextBytes.
std::string ReadInputBytes(const std::string& strPath);

// The bytes of a *.bod file, which must be a regular file; throws CDocumentError naming it and
// the reason.
std::string ReadDocumentBytes(const std::string& strPath);
// The document in bytes read from strPath; throws CDocumentError("strPath: Unexpected file
// format.") for a malformed one, naming the recovery copy that a save which did not finish left.
BodFile::Contents ParseBodDocument(const std::string& bytes, const std::string& strPath);

// Loads a *.bod file, which must be a regular file. A malformed file throws
// CDocumentError("strPath: Unexpected file format."), one that cannot be opened a CDocumentError
// naming it and the reason.
BodFile::Contents LoadBodDocument(const std::string& strPath);

// A document a command changes, with what its file held when it was read, and the file's write
// lock, held from before the read until the document is saved.
struct COpenedDocument {
    BodFile::Contents contents;
    CDiskStamp read;
    CWriteLock lock;
};

// How long a command waits for another program's save of the same document.
constexpr int kLockWaitMs = 10'000;

// The document at strPath, which must be there, held under its write lock; throws as
// LoadBodDocument, and a CDocumentError when the lock cannot be had within kLockWaitMs.
COpenedDocument OpenBodDocument(const std::string& strPath);
// The same, or a new empty document when no file is there.
COpenedDocument OpenOrStartBodDocument(const std::string& strPath);

// Writes the document over strPath with the writer every save uses, so a failed save leaves the
// previous file as it was. The file is only replaced when it still holds what was read: a save
// by another program meanwhile is not lost, and the error says it changed while `during`.
// Throws CDocumentError naming the file and the reason.
void SaveBodDocument(const std::string& strPath, const COpenedDocument& document,
                     const char* during);

// Tells on standard error how many open parts the shopping list of the document at strPath
// left out (none: nothing).
void ReportPartsLeftOut(const std::string& strPath, std::size_t nLeftOut);
