#include "model/BodFilter.h"

#include "model/DeedCombining.h"
#include "model/TextUtil.h"
#include "model/Utf8.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Letters a Windows-1252 document can hold beyond ASCII, in UTF-8: À-Þ (but ×) are C3 80-9E and
// lower-case by adding 0x20 to their second byte; Š Œ Ž are C5 A0, 92, BD and Ÿ is C5 B8.
void FoldInto(std::string& out, std::string_view text) {
    out.assign(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (i + 1 < out.size() && (c == 0xC3 || c == 0xC5)) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
                out[i + 1] = static_cast<char>(next + 0x20);
            } else if (c == 0xC5 && (next == 0xA0 || next == 0x92 || next == 0xBD)) {
                out[i + 1] = static_cast<char>(next + 1);
            } else if (c == 0xC5 && next == 0xB8) {
                out[i] = static_cast<char>(0xC3);
                out[i + 1] = static_cast<char>(0xBF);
            }
            ++i;
        }
    }
}

// ASCII letters folded, every other byte as it is.
constexpr std::array<unsigned char, 256> kAsciiFold = [] {
    std::array<unsigned char, 256> fold{};
    for (std::size_t c = 0; c < fold.size(); ++c) {
        fold[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return fold;
}();

// A word up to this long is compared at every position of the text, which costs at most this
// many times the text; a longer one is searched in time linear in the text.
constexpr std::size_t kShortWord = 16;

unsigned char Folded(char c) {
    return kAsciiFold[static_cast<unsigned char>(c)];
}

bool FindShort(std::string_view text, std::string_view word) {
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        std::size_t j = 0;
        while (j < word.size() && Folded(text[i + j]) == static_cast<unsigned char>(word[j])) {
            ++j;
        }
        if (j == word.size()) {
            return true;
        }
    }
    return false;
}

// Knuth, Morris and Pratt's search: a 1 MB note and a 32 KB word that repeats itself cost a
// pass over each, where comparing at every position took seconds.
bool FindLong(std::string_view text, std::string_view word) {
    // border[n]: the length of the longest proper prefix of word's first n bytes that also ends
    // them.
    thread_local std::vector<std::size_t> border;
    border.assign(word.size() + 1, 0);
    for (std::size_t n = 1, k = 0; n < word.size(); ++n) {
        while (k > 0 && word[n] != word[k]) {
            k = border[k];
        }
        k += word[n] == word[k] ? 1 : 0;
        border[n + 1] = k;
    }
    std::size_t nMatched = 0;
    for (const char c : text) {
        while (nMatched > 0 && Folded(c) != static_cast<unsigned char>(word[nMatched])) {
            nMatched = border[nMatched];
        }
        nMatched += Folded(c) == static_cast<unsigned char>(word[nMatched]) ? 1 : 0;
        if (nMatched == word.size()) {
            return true;
        }
    }
    return false;
}

// Whether the folded word occurs in text. A word of ASCII only is compared with the text's bytes
// folded as they are read: a byte beyond ASCII never equals one of the word's, whatever it folds
// to. Only a word beyond ASCII needs the text folded whole first.
bool ContainsFolded(std::string_view text, std::string_view word) {
    if (word.size() > text.size()) {
        return false;
    }
    thread_local std::string folded;
    if (!Utf8::IsAscii(word)) {
        FoldInto(folded, text);
        text = folded;
    }
    return word.size() <= kShortWord ? FindShort(text, word) : FindLong(text, word);
}

bool Narrows(const std::optional<std::string>& mine, const std::optional<std::string>& other) {
    return !other || mine == other;
}

} // namespace

std::string CBodFilter::FoldCase(std::string_view text) {
    std::string folded;
    FoldInto(folded, text);
    return folded;
}

void CBodFilter::SetText(std::string_view text) {
    m_words.clear();
    while (true) {
        text = TextUtil::Trim(text);
        if (text.empty()) {
            break;
        }
        const auto end = std::find_if(text.begin(), text.end(), TextUtil::IsSpace);
        const std::size_t nLength = static_cast<std::size_t>(end - text.begin());
        m_words.push_back(FoldCase(text.substr(0, nLength)));
        text.remove_prefix(nLength);
    }
}

bool CBodFilter::IsActive() const {
    return !m_words.empty() || m_trade || m_quality || m_material || m_size != Size::Any;
}

bool CBodFilter::Matches(const CBodItem& bod) const {
    if ((m_trade && bod.m_strTrade != *m_trade) || (m_quality && bod.m_strQuality != *m_quality) ||
        (m_material && bod.m_strMaterial != *m_material) ||
        (m_size != Size::Any && bod.IsLarge() == (m_size == Size::Small)) ||
        (m_size == Size::ReadyToTurnIn && !DeedCombining::IsComplete(bod))) {
        return false;
    }
    const std::string* texts[] = {&bod.m_strItem,    &bod.m_strMaterial, &bod.m_strCategory,
                                  &bod.m_strQuality, &bod.m_strPrice,    &bod.m_strNotes};
    return std::all_of(m_words.begin(), m_words.end(), [&texts](const std::string& word) {
        return std::any_of(std::begin(texts), std::end(texts), [&word](const std::string* pText) {
            return ContainsFolded(*pText, word);
        });
    });
}

bool CBodFilter::IsNarrowerThan(const CBodFilter& other) const {
    if (!Narrows(m_trade, other.m_trade) || !Narrows(m_quality, other.m_quality) ||
        !Narrows(m_material, other.m_material) ||
        (other.m_size != Size::Any && m_size != other.m_size &&
         !(m_size == Size::ReadyToTurnIn && other.m_size == Size::Large))) {
        return false;
    }
    // Every word of the wider filter must be inside one of ours: whatever contains ours
    // contains it.
    return std::all_of(other.m_words.begin(), other.m_words.end(), [this](const std::string& w) {
        return std::any_of(m_words.begin(), m_words.end(), [&w](const std::string& mine) {
            return mine.find(w) != std::string::npos;
        });
    });
}
