// Splits any pasted text into deed lines and reads every line in both layouts and in an unknown
// paste mode, and into tooltip blocks, read as tooltips. Besides crashes and sanitizer findings it
// stops on a broken promise of the parser: a result that disagrees with the deed's validity, a cut
// that splits a character of a well-formed line, a price that is not the end of the line as pasted,
// or a splitter line that is not one whole order line of the text.
#include "import/BodLineParser.h"
#include "import/BodLineSplitter.h"
#include "import/ParseText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool bCondition) {
    if (!bCondition) {
        std::abort();
    }
}

// Undecodable bytes decode to the escape code points U+DC80 to U+DCFF.
bool IsWellFormed(std::string_view text) {
    const std::u32string decoded = DecodeUtf8(text);
    return std::none_of(decoded.begin(), decoded.end(),
                        [](char32_t c) { return c >= 0xDC80 && c <= 0xDCFF; });
}

void CheckDeed(const CBodLineParser& parser, std::string_view line, const CBodItem& bod) {
    const std::string* const texts[] = {&bod.m_strTrade,    &bod.m_strCategory, &bod.m_strQuality,
                                        &bod.m_strMaterial, &bod.m_strItem,     &bod.m_strAmount,
                                        &bod.m_strCount,    &bod.m_strPrice};
    if (parser.m_nPasteMode == CBodLineParser::kPasteTooltip) {
        // Every text is a lower-cased piece of the block or a number; a block is never priced.
        Check(bod.m_strPrice.empty());
        if (IsWellFormed(line)) {
            Check(std::all_of(std::begin(texts), std::end(texts),
                              [](const std::string* text) { return IsWellFormed(*text); }));
        }
        return;
    }
    if (parser.m_nPasteMode != CBodLineParser::kPasteAos &&
        parser.m_nPasteMode != CBodLineParser::kPastePreAos) {
        Check(std::all_of(std::begin(texts), std::end(texts),
                          [](const std::string* text) { return text->empty(); }));
        return;
    }
    Check(line.ends_with(bod.m_strPrice));
    if (IsWellFormed(line)) {
        for (const std::string* text : texts) {
            Check(IsWellFormed(*text));
        }
        for (const CBodItemDetail& part : bod.m_arrParts) {
            Check(IsWellFormed(part.m_strName));
        }
    }
    if (parser.m_nPasteMode == CBodLineParser::kPastePreAos) {
        Check(bod.m_arrParts.empty());
    } else if (parser.m_nBodSize == CBodLineParser::kLargeBod) {
        Check(parser.m_nPartCount == bod.GetPartCount());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CBodLineParser parser;
    const char* previousEnd = text.data();
    for (const std::string_view line : SplitBodLines(text)) {
        // Lines come in text order, each a whole line within the text, never read twice.
        Check(line.data() >= previousEnd && line.data() + line.size() <= text.data() + size);
        Check(line.find("bulk order") != std::string_view::npos);
        Check(line.find_first_of("\r\n") == std::string_view::npos);
        previousEnd = line.data() + line.size();
        for (const int nMode : {CBodLineParser::kPasteAos, CBodLineParser::kPastePreAos, 3}) {
            parser.m_nPasteMode = nMode;
            std::unique_ptr<CBodItem> pItem;
            const bool bValid = parser.ParseLine(line, pItem);
            Check(pItem != nullptr);
            Check(bValid == pItem->IsValid());
            CheckDeed(parser, line, *pItem);
        }
    }
    parser.m_nPasteMode = CBodLineParser::kPasteTooltip;
    std::vector<std::string> blocks;
    for (const std::string_view block : SplitPaste(text, parser.m_nPasteMode, blocks)) {
        Check(!block.empty() && block.find_first_of("\r\n") == std::string_view::npos);
        std::unique_ptr<CBodItem> pItem;
        const bool bValid = parser.ParseLine(block, pItem);
        // A tooltip with every field may still be refused for what the game never prints (an
        // amount, a material).
        Check(!bValid || pItem->IsValid());
        CheckDeed(parser, block, *pItem);
    }
    return 0;
}
