#include "model/TextOrder.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <numeric>
#include <string>

std::vector<std::uint32_t> CNoCaseTextOrder::Rank(std::span<const std::string_view> texts) const {
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (const std::string_view text : texts) {
        // UTF-8 byte order is code-point order, so lower-cased bytes compare as wanted.
        keys.push_back(TextUtil::AsciiLower(text));
    }
    std::vector<std::uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0U);
    std::sort(order.begin(), order.end(),
              [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    std::vector<std::uint32_t> ranks(texts.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && keys[order[i]] != keys[order[i - 1]]) {
            ++rank;
        }
        ranks[order[i]] = rank;
    }
    return ranks;
}
