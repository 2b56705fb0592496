#pragma once

#include "model/BodArray.h"

#include <cstdint>
#include <string>
#include <string_view>

class CArchive;

// The document's part of the *.bod format: the header (deed count, then the two reserved words
// in the order reserved2, reserved1) and the deed records.
namespace BodFile {

// Loading replaces bods and the reserved words only once the whole file has been read; on
// CArchiveException they are left as they were.
void Serialize(CArchive& ar, CBodArray& bods, std::int32_t& nReserved2, std::int32_t& nReserved1);

// Whole-file helpers for bodtool, tests and benchmarks. Read throws CArchiveException for a
// malformed file; an empty byte string is an empty document.
struct Contents {
    std::int32_t nReserved2 = 0;
    std::int32_t nReserved1 = 0;
    CBodArray bods;
};
Contents Read(std::string_view bytes);
std::string Write(const CBodArray& bods, std::int32_t nReserved2, std::int32_t nReserved1);

} // namespace BodFile
