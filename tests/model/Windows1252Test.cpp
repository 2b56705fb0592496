#include "model/Windows1252.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string EncodeOrMark(const std::string& utf8) {
    std::string out;
    return Windows1252::Encode(utf8, out) ? out : "<none>";
}

TEST(Windows1252Test, EveryByteRoundTrips) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(EncodeOrMark(Windows1252::Decode(one)), one) << "byte " << byte;
        all += one;
    }
    EXPECT_EQ(EncodeOrMark(Windows1252::Decode(all)), all);
}

struct Mapping {
    unsigned char byte;
    const char* utf8;
};

class Windows1252MappingTest : public ::testing::TestWithParam<Mapping> {};

TEST_P(Windows1252MappingTest, DecodesToTheCodePageCharacter) {
    EXPECT_EQ(Windows1252::Decode(std::string(1, static_cast<char>(GetParam().byte))),
              GetParam().utf8);
}

// The 0x80-0x9F block is where a plain Latin-1 reading goes wrong; the undefined bytes keep
// their own value.
INSTANTIATE_TEST_SUITE_P(Bytes, Windows1252MappingTest,
                         ::testing::Values(Mapping{0x41, "A"}, Mapping{0x80, "\u20AC"},
                                           Mapping{0x81, "\u0081"}, Mapping{0x8A, "\u0160"},
                                           Mapping{0x8D, "\u008D"}, Mapping{0x8F, "\u008F"},
                                           Mapping{0x90, "\u0090"}, Mapping{0x92, "\u2019"},
                                           Mapping{0x9D, "\u009D"}, Mapping{0x9F, "\u0178"},
                                           Mapping{0xA0, "\u00A0"}, Mapping{0xE9, "\u00E9"},
                                           Mapping{0xFF, "\u00FF"}));

TEST(Windows1252Test, RefusesWhatTheCodePageCannotHold) {
    const char* const texts[] = {
        "\u0080",          // its byte 0x80 is the euro sign
        "\u03A9",          // Greek
        "\u65E5",          // Japanese
        "\U0001F600",      // outside the 16-bit plane
        "a\xC3",           // cut sequence
        "\xC0\xAF",        // overlong slash
        "\xED\xA0\x80",    // encoded surrogate
        "\xF4\x90\x80\x80" // above U+10FFFF
    };
    for (const char* text : texts) {
        EXPECT_EQ(EncodeOrMark(text), "<none>") << text;
    }
}

TEST(Windows1252Test, EncodesMixedText) {
    EXPECT_EQ(EncodeOrMark("caf\u00E9 \u20AC5 \u201Cx\u201D"), "caf\xE9 \x80"
                                                               "5 \x93x\x94");
}

} // namespace
