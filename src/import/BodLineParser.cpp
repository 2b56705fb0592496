#include "import/BodLineParser.h"

#include "import/ParseText.h"
#include "import/TooltipReader.h"
#include "model/Utf8.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

// A line as pasted and its lower-cased copy. Lower-casing touches ASCII letters only, so both
// hold the same character at every position and a position found in one cuts the other.
template <typename CharT> struct PastedLine {
    CParseText<CharT> pasted;
    CParseText<CharT> lower;
};

constexpr auto kNotFound = CParseText<char>::kNotFound;

// "exceptional" and the blank after it, which stand in front of an exceptional deed's item names.
constexpr std::ptrdiff_t kExceptionalPrefix = 12;

struct WordValue {
    std::string_view word;
    std::string_view value;
};

// The first word found decides; "plate" catches a line that names only a plate helm.
constexpr std::array<WordValue, 6> kCategories = {{{"platemail", "Platemail"},
                                                   {"plate", "Platemail"},
                                                   {"chainmail", "Chainmail"},
                                                   {"ringmail", "Ringmail"},
                                                   {"leather", "Leather"},
                                                   {"cloth", "Cloth"}}};

constexpr std::array<WordValue, 3> kLeathers = {
    {{"spined", "spined leather"}, {"horned", "horned leather"}, {"barbed", "barbed leather"}}};

// An AOS large armour deed is keyed by its kind of armour, whichever of its parts the line names
// first; the first kind found wins.
constexpr std::array<std::string_view, 3> kArmourSets = {"chainmail", "ringmail", "platemail"};

struct SetDivisor {
    std::string_view word;
    std::int32_t parts;
};

// A Pre-AOS large deed states the total over all its parts; the set word gives the part count.
constexpr std::array<SetDivisor, 22> kSetDivisors = {
    {{"platemail", 6},    {"chainmail", 3},   {"ringmail", 4},       {"large battle axe", 6},
     {"cutlass", 6},      {"dagger", 5},      {"mace", 6},           {"bardiche", 2},
     {"bandana", 4},      {"bonnet", 4},      {"feathered hat", 5},  {"floppy hat", 4},
     {"jester hat", 4},   {"skullcap", 4},    {"straw hat", 4},      {"wizard's hat", 4},
     {"tricorne hat", 4}, {"leather cap", 6}, {"studded gorget", 5}, {"leather skirt", 6},
     {"bone armor", 5},   {"sandals", 4}}};

template <typename CharT> CParseText<CharT> DropExceptional(CParseText<CharT> name) {
    // The prefix is dropped wherever the word stands, as the export always puts it first.
    if (name.Contains("exceptional")) {
        return name.Right(name.Length() - kExceptionalPrefix);
    }
    return name;
}

template <typename CharT> std::string ReadTrade(const PastedLine<CharT>& line) {
    return line.lower.Contains("ingots") ? "Smithy" : "Tailor";
}

template <typename CharT> std::string ReadCategory(const PastedLine<CharT>& line) {
    for (const WordValue& category : kCategories) {
        if (line.lower.Contains(category.word)) {
            return std::string(category.value);
        }
    }
    return "Weapon";
}

template <typename CharT> std::string ReadQuality(const PastedLine<CharT>& line) {
    return line.lower.Contains("exceptional") ? "Exceptional" : "Normal";
}

// The last blank-separated word, as pasted.
template <typename CharT> std::string ReadPrice(const PastedLine<CharT>& line) {
    const auto blank = line.pasted.FindLast(' ');
    return blank == kNotFound ? std::string() : line.pasted.Cut(blank + 1).ToUtf8();
}

template <typename CharT> std::string ReadAosMaterial(const PastedLine<CharT>& line) {
    const CParseText<CharT>& lower = line.lower;
    const auto ingots = lower.Find("ingots");
    if (ingots == kNotFound) {
        if (lower.Contains("cloth")) {
            return "cloth";
        }
        if (!lower.Contains("leather")) {
            return {};
        }
        for (const WordValue& leather : kLeathers) {
            if (lower.Contains(leather.word)) {
                return std::string(leather.value);
            }
        }
        return "normal leather";
    }
    const CParseText<CharT> before = lower.Left(ingots).TrimRight();
    const auto blank = before.FindLast(' ');
    if (blank == kNotFound) {
        return {};
    }
    const CParseText<CharT> word = before.Right(before.Length() - blank - 1);
    // The two-word metals may name their first word anywhere before "ingots".
    if (word.Equals("iron") && before.Contains("shadow")) {
        return "shadow iron";
    }
    if (word.Equals("copper") && before.Contains("dull")) {
        return "dull copper";
    }
    return word.Trim().ToUtf8();
}

template <typename CharT>
std::string ReadAosItem(CBodLineParser& parser, const PastedLine<CharT>& line) {
    const CParseText<CharT>& lower = line.lower;
    const bool bLarge = lower.Contains("large bulk order");
    parser.m_nBodSize = bLarge ? CBodLineParser::kLargeBod : CBodLineParser::kSmallBod;
    std::string item = bLarge ? "LBOD" : "";
    // The name starts after the colon, its blank, a two-digit amount and the blank after it.
    const auto start = lower.Find(':') + 5;
    const auto end = lower.Find(':', start);
    if (end == kNotFound) {
        return item;
    }
    const CParseText<CharT> name = DropExceptional(lower.Cut(start, end - start)).Trim();
    if (!bLarge) {
        return name.ToUtf8();
    }
    if (name.IsEmpty()) {
        return item;
    }
    for (const std::string_view set : kArmourSets) {
        if (name.Contains(set)) {
            return item + "/" + std::string(set);
        }
    }
    return item + "/" + name.ToUtf8();
}

template <typename CharT> CParseText<CharT> ReadAosAmount(const PastedLine<CharT>& line) {
    const CParseText<CharT>& pasted = line.pasted;
    const auto colon = pasted.Find(':');
    if (colon == kNotFound) {
        return {};
    }
    const auto blank = pasted.Find(' ', colon + 2);
    if (blank == kNotFound) {
        return {};
    }
    return pasted.Cut(colon + 2, blank - colon - 2);
}

// "made/amount": the made number stands between the second colon and the comma.
template <typename CharT>
std::string ReadAosSmallCount(const CBodLineParser& parser, const PastedLine<CharT>& line) {
    const CParseText<CharT>& pasted = line.pasted;
    const auto first = pasted.Find(':');
    const auto second = pasted.Find(':', first + 1);
    const auto comma = pasted.Find(',', second + 2);
    if (first == kNotFound || second == kNotFound || comma == kNotFound) {
        return {};
    }
    return pasted.Cut(second + 2, comma - second - 2).ToUtf8() + "/" +
           std::to_string(parser.m_nAmount);
}

// Reads the "name: number" pairs after the amount into the parts, keeping the pasted names, and
// gives the made and required sums over the parts.
template <typename CharT>
std::string ReadAosLargeCount(const CBodLineParser& parser, const PastedLine<CharT>& line,
                              CBodItem& item) {
    const CParseText<CharT>& pasted = line.pasted;
    const auto colon = pasted.Find(':');
    if (colon == kNotFound) {
        return {};
    }
    auto pos = colon + 5;
    // 64 bits: six saturated 32-bit numbers cannot wrap.
    std::int64_t nFilled = 0;
    std::int64_t nTotal = 0;
    for (int k = 0; k < parser.m_nPartCount; ++k) {
        const auto nameEnd = pasted.Find(':', pos);
        const auto numberStart = pasted.Find(' ', nameEnd);
        const auto pairEnd = pasted.Find(' ', numberStart + 1);
        if (nameEnd == kNotFound || numberStart == kNotFound || pairEnd == kNotFound) {
            continue;
        }
        CParseText<CharT> pair = DropExceptional(pasted.Cut(pos, pairEnd - pos)).Trim();
        CParseText<CharT> number;
        const auto pairColon = pair.Find(':');
        if (pairColon != kNotFound) {
            number = pair.Cut(pairColon + 2);
            pair = pair.Left(pairColon);
        }
        const std::int32_t n = number.Number();
        nFilled += n;
        nTotal += parser.m_nAmount;
        item.SetPart(k, n != 0, pair.ToUtf8());
        pos = pairEnd + 1;
    }
    return std::to_string(nFilled) + "/" + std::to_string(nTotal);
}

template <typename CharT>
void ReadAos(CBodLineParser& parser, const PastedLine<CharT>& line, CBodItem& item) {
    item.SetTrade(ReadTrade(line));
    item.SetCategory(ReadCategory(line));
    item.SetQuality(ReadQuality(line));
    item.SetMaterial(ReadAosMaterial(line));
    item.SetItem(ReadAosItem(parser, line));
    const CParseText<CharT> amount = ReadAosAmount(line);
    item.SetAmount(amount.ToUtf8());
    parser.m_nAmount = amount.Number();
    if (parser.m_nBodSize == CBodLineParser::kLargeBod) {
        // The part list is built only for a valid deed, and the count is the one text still
        // missing at this point.
        item.SetCount("0");
        item.BuildPartsIfNeeded();
        parser.m_nPartCount = item.GetPartCount();
        item.SetCount(ReadAosLargeCount(parser, line, item));
    } else {
        item.SetCount(ReadAosSmallCount(parser, line));
    }
    item.SetPrice(ReadPrice(line));
}

template <typename CharT> std::string ReadPreAosMaterial(const PastedLine<CharT>& line) {
    const CParseText<CharT>& lower = line.lower;
    const auto ingots = lower.Find("ingots");
    if (ingots != kNotFound) {
        const auto with = lower.Find("with");
        if (with == kNotFound) {
            return "iron";
        }
        return lower.Cut(with + 5, ingots - with - 6).Trim().ToUtf8();
    }
    // Cloth and leather stand between the fourth and the fifth slash.
    std::ptrdiff_t fourth = kNotFound;
    std::ptrdiff_t slash = kNotFound;
    for (int k = 0; k < 5; ++k) {
        fourth = slash;
        slash = lower.Find('/', slash + 1);
        if (slash == kNotFound) {
            return {};
        }
    }
    return lower.Cut(fourth + 1, slash - fourth - 1).Trim().ToUtf8();
}

template <typename CharT> std::string ReadPreAosItem(const PastedLine<CharT>& line) {
    const CParseText<CharT>& lower = line.lower;
    std::string item = lower.Contains("large bulk order") ? "LBOD" : "";
    const auto slash = lower.FindLast('/');
    if (slash == kNotFound) {
        return item;
    }
    const auto comma = lower.Find(',', slash);
    if (comma == kNotFound) {
        return item;
    }
    const CParseText<CharT> name = DropExceptional(lower.Cut(slash + 2, comma - slash - 2)).Trim();
    if (item.empty()) {
        return name.ToUtf8();
    }
    return name.IsEmpty() ? item : item + "/" + name.ToUtf8();
}

// The whole text inside the first parentheses, e.g. "0/60".
template <typename CharT> std::string ReadPreAosCount(const PastedLine<CharT>& line) {
    const CParseText<CharT>& pasted = line.pasted;
    const auto open = pasted.Find('(');
    const auto close = pasted.Find(')', open);
    if (open == kNotFound || close == kNotFound) {
        return {};
    }
    return pasted.Cut(open + 1, close - open - 1).ToUtf8();
}

bool NamesLargeDeed(const std::string& item) {
    std::string lower = item;
    AsciiLowerInPlace(lower);
    return lower.find("lbod") != std::string::npos;
}

// The amount per part: the total after the slash in the parentheses, divided by the part count
// of the set the line names when it is a large deed's total.
template <typename CharT>
std::string ReadPreAosAmount(const PastedLine<CharT>& line, const std::string& item) {
    const CParseText<CharT>& pasted = line.pasted;
    const auto open = pasted.Find('(');
    const auto slash = pasted.Find('/', open);
    const auto close = pasted.Find(')', slash);
    CParseText<CharT> text;
    if (open != kNotFound && slash != kNotFound && close != kNotFound) {
        text = pasted.Cut(slash + 1, close - slash - 1);
    }
    std::int32_t n = text.Number();
    // Twenty is the largest amount of a small deed, so only then does the size decide.
    const bool bTotal = n > 20 || (n == 20 && NamesLargeDeed(item));
    if (!bTotal) {
        return text.ToUtf8();
    }
    for (const SetDivisor& set : kSetDivisors) {
        if (line.lower.Contains(set.word)) {
            n /= set.parts;
            break;
        }
    }
    return std::to_string(n);
}

template <typename CharT> void ReadPreAos(const PastedLine<CharT>& line, CBodItem& item) {
    item.SetTrade(ReadTrade(line));
    item.SetCategory(ReadCategory(line));
    item.SetQuality(ReadQuality(line));
    item.SetMaterial(ReadPreAosMaterial(line));
    item.SetItem(ReadPreAosItem(line));
    item.SetCount(ReadPreAosCount(line));
    // The item step reads the line alone, so its result stands for running it again here.
    item.SetAmount(ReadPreAosAmount(line, item.m_strItem));
    item.SetPrice(ReadPrice(line));
}

template <typename CharT>
void Read(CBodLineParser& parser, std::basic_string_view<CharT> pasted,
          std::basic_string_view<CharT> lower, CBodItem& item) {
    const PastedLine<CharT> line{CParseText<CharT>(pasted), CParseText<CharT>(lower)};
    if (parser.m_nPasteMode == CBodLineParser::kPasteAos) {
        ReadAos(parser, line, item);
    } else {
        ReadPreAos(line, item);
    }
}

} // namespace

bool CBodLineParser::ParseLine(std::string_view strLine, std::unique_ptr<CBodItem>& pItem) {
    if (m_nPasteMode == kPasteTooltip) {
        return TooltipReader::ReadBlock(strLine, pItem);
    }
    pItem = std::make_unique<CBodItem>();
    if (m_nPasteMode != kPasteAos && m_nPasteMode != kPastePreAos) {
        return pItem->IsValid();
    }
    // Positions count characters: bytes when the line is ASCII, code points otherwise.
    if (Utf8::IsAscii(strLine)) {
        std::string lower(strLine);
        AsciiLowerInPlace(lower);
        Read<char>(*this, strLine, lower, *pItem);
    } else {
        const std::u32string pasted = DecodeUtf8(strLine);
        std::u32string lower = pasted;
        AsciiLowerInPlace(lower);
        Read<char32_t>(*this, pasted, lower, *pItem);
    }
    return pItem->IsValid();
}
