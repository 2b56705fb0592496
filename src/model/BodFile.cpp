#include "model/BodFile.h"

#include "model/Archive.h"

namespace BodFile {

namespace {

// Nine empty texts, the time and the part count.
constexpr std::size_t kMinDeedRecordBytes = 9 + 4 + 4;

// The file size when every text is in the code page and under 255 bytes, which nearly all are;
// reserving it spares the writer most of its regrowing.
std::size_t EstimateBytes(const CBodArray& bods) {
    std::size_t size = 12;
    for (const std::unique_ptr<CBodItem>& bod : bods) {
        size += kMinDeedRecordBytes + bod->m_strCategory.size() + bod->m_strAmount.size() +
                bod->m_strItem.size() + bod->m_strMaterial.size() + bod->m_strQuality.size() +
                bod->m_strTrade.size() + bod->m_strCount.size() + bod->m_strPrice.size() +
                bod->m_strNotes.size();
        for (const CBodItemDetail& part : bod->m_arrParts) {
            size += 5 + part.m_strName.size();
        }
    }
    return size;
}

void Store(CArchive& ar, const CBodArray& bods, std::int32_t nReserved2, std::int32_t nReserved1) {
    ar.WriteInt32(static_cast<std::int32_t>(bods.size()));
    ar.WriteInt32(nReserved2);
    ar.WriteInt32(nReserved1);
    for (const std::unique_ptr<CBodItem>& bod : bods) {
        bod->Serialize(ar);
    }
}

// Reads into locals and hands the result over only when the whole file was read, so a
// malformed file leaves the caller's list and words as they were.
void Load(CArchive& ar, CBodArray& bods, std::int32_t& nReserved2, std::int32_t& nReserved1) {
    const std::int32_t nCount = ar.ReadInt32();
    const std::int32_t nLoadedReserved2 = ar.ReadInt32();
    const std::int32_t nLoadedReserved1 = ar.ReadInt32();
    CBodArray loaded;
    if (nCount > 0) {
        if (static_cast<std::size_t>(nCount) > ar.Remaining() / kMinDeedRecordBytes) {
            throw CArchiveException();
        }
        loaded.reserve(static_cast<std::size_t>(nCount));
        for (std::int32_t i = 0; i < nCount; ++i) {
            auto bod = std::make_unique<CBodItem>();
            bod->Serialize(ar);
            loaded.push_back(std::move(bod));
        }
    }
    bods = std::move(loaded);
    nReserved2 = nLoadedReserved2;
    nReserved1 = nLoadedReserved1;
}

} // namespace

void Serialize(CArchive& ar, CBodArray& bods, std::int32_t& nReserved2, std::int32_t& nReserved1) {
    if (ar.IsStoring()) {
        Store(ar, bods, nReserved2, nReserved1);
    } else {
        Load(ar, bods, nReserved2, nReserved1);
    }
}

Contents Read(std::string_view bytes) {
    Contents contents;
    if (bytes.empty()) {
        return contents;
    }
    CArchive ar = CArchive::ForLoading(bytes);
    Load(ar, contents.bods, contents.nReserved2, contents.nReserved1);
    return contents;
}

std::string Write(const CBodArray& bods, std::int32_t nReserved2, std::int32_t nReserved1) {
    CArchive ar = CArchive::ForStoring();
    ar.Reserve(EstimateBytes(bods));
    Store(ar, bods, nReserved2, nReserved1);
    return ar.TakeBytes();
}

} // namespace BodFile
