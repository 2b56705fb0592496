#include "framework/CollatorTextOrder.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <numeric>
#include <unordered_map>

CCollatorTextOrder::CCollatorTextOrder()
    : m_collator(QLocale()), m_bCodePointOrder(QLocale().language() == QLocale::C) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

std::vector<std::uint32_t> CCollatorTextOrder::Rank(std::span<const std::string_view> texts) const {
    if (m_bCodePointOrder) {
        return CNoCaseTextOrder().Rank(texts);
    }
    // Deed lists repeat the same few labels thousands of times: collate each distinct text once.
    std::unordered_map<std::string_view, std::uint32_t> distinctIndex;
    distinctIndex.reserve(texts.size());
    std::vector<std::uint32_t> textToDistinct(texts.size());
    std::vector<std::string_view> distinct;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto [it, bInserted] =
            distinctIndex.try_emplace(texts[i], static_cast<std::uint32_t>(distinct.size()));
        if (bInserted) {
            distinct.push_back(texts[i]);
        }
        textToDistinct[i] = it->second;
    }

    const auto toQString = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
#ifdef Q_OS_WIN
    // Qt's sort keys there compare as UTF-16 text, not as the bytes they are (so a digit may come
    // after a letter), and Wine makes none at all: whole texts are compared instead.
    std::vector<QString> texts16;
    texts16.reserve(distinct.size());
    for (const std::string_view text : distinct) {
        texts16.push_back(toQString(text));
    }
    const auto compare = [this, &texts16](std::uint32_t a, std::uint32_t b) {
        return m_collator.compare(texts16[a], texts16[b]);
    };
#else
    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const std::string_view text : distinct) {
        keys.push_back(m_collator.sortKey(toQString(text)));
    }
    const auto compare = [&keys](std::uint32_t a, std::uint32_t b) {
        return keys[a].compare(keys[b]);
    };
#endif
    std::vector<std::uint32_t> order(distinct.size());
    std::iota(order.begin(), order.end(), 0U);
    std::sort(order.begin(), order.end(),
              [&compare](std::uint32_t a, std::uint32_t b) { return compare(a, b) < 0; });
    std::vector<std::uint32_t> distinctRank(distinct.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compare(order[i], order[i - 1]) != 0) {
            ++rank;
        }
        distinctRank[order[i]] = rank;
    }

    std::vector<std::uint32_t> ranks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ranks[i] = distinctRank[textToDistinct[i]];
    }
    return ranks;
}
