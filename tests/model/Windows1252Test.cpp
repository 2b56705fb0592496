#include "model/Windows1252.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string EncodeOrMark(const std::string& utf8) {
    std::string out;
    return Windows1252::Encode(utf8, out) ? out : "<none>";
}

TEST(Windows1252Test, EveryByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(EncodeOrMark(Windows1252::Decode(one)), one) << "byte " << byte;
    }
}

// The 0x80-0x9F block is where a plain Latin-1 reading goes wrong; the undefined bytes keep
// their own value.
TEST(Windows1252Test, DecodesToTheCodePageCharacter) {
    const struct {
        unsigned char byte;
        const char* utf8;
    } cases[] = {{0x80, "\u20AC"}, {0x81, "\u0081"}, {0x8A, "\u0160"}, {0x8D, "\u008D"},
                 {0x92, "\u2019"}, {0x9D, "\u009D"}, {0x9F, "\u0178"}, {0xE9, "\u00E9"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1252::Decode(std::string(1, static_cast<char>(c.byte))), c.utf8)
            << int(c.byte);
    }
}

// Text saved by a Windows editor in its code page reaches the document with its letters;
// well-formed UTF-8, a real U+FFFD included, is taken as it is.
TEST(Windows1252Test, IncomingTextReadsBytesThatAreNotUtf8AsTheCodePage) {
    const struct {
        const char* incoming;
        const char* utf8;
    } cases[] = {{"caf\xE9 noir", "caf\u00E9 noir"},
                 {"caf\xC3\xA9", "caf\u00E9"},
                 {"\x93quoted\x94", "\u201Cquoted\u201D"},
                 {"\xC3", "\u00C3"},
                 {"\xEF\xBF\xBD", "\uFFFD"},
                 {"\xE9\xC3\xA9\x81", "\u00E9\u00E9\u0081"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1252::DecodeIncoming(c.incoming), c.utf8) << c.incoming;
    }
}

TEST(Windows1252Test, RefusesWhatTheCodePageCannotHold) {
    const char* const texts[] = {
        "\u0080",          // its byte 0x80 is the euro sign
        "\u03A9",          // Greek
        "a\xC3",           // cut sequence
        "\xF4\x90\x80\x80" // above U+10FFFF
    };
    for (const char* text : texts) {
        EXPECT_EQ(EncodeOrMark(text), "<none>") << text;
    }
}

} // namespace
