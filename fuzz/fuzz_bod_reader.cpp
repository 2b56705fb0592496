#include "model/Archive.h"
#include "model/BodFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// Any bytes either fail to load with CArchiveException or load into a document that saves to a
// fixed point: loading what was saved and saving it again gives the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    BodFile::Contents first;
    try {
        first = BodFile::Read(input);
    } catch (const CArchiveException&) {
        return 0;
    }
    const std::string saved = BodFile::Write(first.bods, first.nReserved2, first.nReserved1);
    const BodFile::Contents second = BodFile::Read(saved);
    if (BodFile::Write(second.bods, second.nReserved2, second.nReserved1) != saved) {
        std::abort();
    }
    return 0;
}
