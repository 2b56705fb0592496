#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// The fixed table of large-deed part sets: a key (such as "platemail") and its part names in
// part order, as the deed prints them in lower case. Rows are tested in table order; the first
// equal key wins. Each set also knows its trade and the points its completion adds.
struct BodCatalogueRow {
    std::string_view key;
    std::array<std::string_view, 6> parts;
    std::size_t partCount;
    std::string_view trade;
    int nSetPoints;

    std::span<const std::string_view> Parts() const { return {parts.data(), partCount}; }
};

namespace BodCatalogue {

// The sets that the game gave before 2016 (Smithy and Tailor); the newer crafts' rows follow.
inline constexpr std::size_t kClassicRowCount = 22;
inline constexpr std::size_t kRowCount = 60;
inline constexpr std::size_t kMaxParts = 6;

std::span<const BodCatalogueRow> Rows();
// The row whose key equals `key` exactly, or null.
const BodCatalogueRow* Find(std::string_view key);
// The item that a small deed prints for the part named `part` (lower case): the part's own name
// but where the large deed prints it otherwise ("frypan" is filled by a "skillet").
std::string_view SmallItemFor(std::string_view part);

} // namespace BodCatalogue
