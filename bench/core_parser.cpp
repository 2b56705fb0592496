// Lines per second of the clipboard line parser in both layouts, over a mix of small and large
// deeds of both trades, the splitting of a pasted text into its deed lines, and tooltip blocks
// per second, split and read, over deeds of every craft.
#include "import/BodLineParser.h"
#include "import/BodLineSplitter.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

constexpr std::array<const char*, 9> kMetals = {"iron",    "dull copper", "shadow iron",
                                                "copper",  "bronze",      "gold",
                                                "agapite", "verite",      "valorite"};
constexpr std::array<const char*, 6> kSmithyItems = {
    "platemail gloves", "ringmail tunic", "chainmail coif", "plate helm", "katana", "war hammer"};
constexpr std::array<const char*, 6> kTailorItems = {
    "fancy shirt", "leather gloves", "studded tunic", "thigh boots", "bone helmet", "tricorne hat"};
constexpr std::array<const char*, 5> kCloths = {"cloth", "leather", "spined leather",
                                                "horned leather", "barbed leather"};

std::string Exceptional(int i) {
    return i % 3 == 0 ? "exceptional " : "";
}

std::string Amount(int i) {
    return std::to_string(10 + 5 * (i % 3));
}

// One line in eight is a large deed, as in a player's typical export.
std::vector<std::string> AosLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < 512; ++i) {
        const std::string price = std::to_string(100 + 37 * i);
        if (i % 8 == 7) {
            lines.push_back(i % 16 == 7 ? "large bulk order: " + Amount(i) + " " + Exceptional(i) +
                                              "chainmail coif: 0 chainmail leggings: " + Amount(i) +
                                              " chainmail tunic: 0 with " + kMetals[i % 9] +
                                              " ingots " + price
                                        : "large bulk order: " + Amount(i) + " " + Exceptional(i) +
                                              "bandana: 0 shirt: " + Amount(i) +
                                              " skirt: 0 thigh boots: 0 cloth " + price);
        } else if (i % 2 == 0) {
            lines.push_back("small bulk order: " + Amount(i) + " " + Exceptional(i) +
                            kSmithyItems[i % 6] + ": " + std::to_string(i % 11) + ", with " +
                            kMetals[i % 9] + " ingots " + price);
        } else {
            lines.push_back("small bulk order: " + Amount(i) + " " + Exceptional(i) +
                            kTailorItems[i % 6] + ": " + std::to_string(i % 11) + ", with " +
                            kCloths[i % 5] + " " + price);
        }
    }
    return lines;
}

std::vector<std::string> PreAosLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < 512; ++i) {
        const std::string price = std::to_string(100 + 37 * i);
        const std::string quality = i % 3 == 0 ? "exceptional" : "normal";
        if (i % 8 == 7) {
            lines.push_back("large bulk order (0/" + std::to_string(6 * (10 + 5 * (i % 3))) +
                            ") smithy/" + quality + "/large/platemail/ platemail, with " +
                            kMetals[i % 9] + " ingots " + price);
        } else if (i % 2 == 0) {
            lines.push_back("small bulk order (" + std::to_string(i % 11) + "/" + Amount(i) +
                            ") smithy/" + quality + "/small/armor/ " + Exceptional(i) +
                            kSmithyItems[i % 6] + ", with " + kMetals[i % 9] + " ingots " + price);
        } else {
            lines.push_back("small bulk order (" + std::to_string(i % 11) + "/" + Amount(i) +
                            ") tailor/" + quality + "/small/" + kCloths[i % 5] + "/ " +
                            Exceptional(i) + kTailorItems[i % 6] + ", " + price);
        }
    }
    return lines;
}

// The same lines with a non-ASCII letter in the price, so each takes the code-point path.
std::vector<std::string> WithNonAscii(std::vector<std::string> lines) {
    for (std::string& line : lines) {
        line += "\xC2\xA4";
    }
    return lines;
}

void ParseLines(benchmark::State& state, int nMode, const std::vector<std::string>& lines) {
    CBodLineParser parser;
    parser.m_nPasteMode = nMode;
    std::size_t nValid = 0;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            std::unique_ptr<CBodItem> pItem;
            nValid += parser.ParseLine(line, pItem) ? 1 : 0;
            benchmark::DoNotOptimize(pItem);
        }
    }
    if (nValid != lines.size() * static_cast<std::size_t>(state.iterations())) {
        state.SkipWithError("a benchmark line did not parse valid");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}

void BM_ParseAos(benchmark::State& state) {
    static const std::vector<std::string> lines = AosLines();
    ParseLines(state, CBodLineParser::kPasteAos, lines);
}
BENCHMARK(BM_ParseAos);

void BM_ParsePreAos(benchmark::State& state) {
    static const std::vector<std::string> lines = PreAosLines();
    ParseLines(state, CBodLineParser::kPastePreAos, lines);
}
BENCHMARK(BM_ParsePreAos);

void BM_ParseAosNonAscii(benchmark::State& state) {
    static const std::vector<std::string> lines = WithNonAscii(AosLines());
    ParseLines(state, CBodLineParser::kPasteAos, lines);
}
BENCHMARK(BM_ParseAosNonAscii);

void BM_ParsePreAosNonAscii(benchmark::State& state) {
    static const std::vector<std::string> lines = WithNonAscii(PreAosLines());
    ParseLines(state, CBodLineParser::kPastePreAos, lines);
}
BENCHMARK(BM_ParsePreAosNonAscii);

// Ten thousand tooltips as a client copies them, one small or large deed of each craft in turn.
void BM_ReadTooltips(benchmark::State& state) {
    const std::array<std::string, 4> deeds = {
        "Small Bulk Order\nAll Items Must Be Exceptional.\nAll Items Must Be Made With Valorite "
        "Ingots.\nAmount To Make: 20\nPlatemail Gloves: 0\n",
        "Large Bulk Order\nAmount To Make: 10\nSummon Air Elemental: 0\nSummon Daemon: 0\n"
        "Summon Earth Elemental: 0\nSummon Fire Elemental: 0\nSummon Water Elemental: 10\n",
        "Small Bulk Order\nAmount To Make: 15\nA Greater Heal Potion: 3\n",
        "Large Bulk Order\nAll Items Must Be Made With Oak Wood.\nAmount To Make: 10\n"
        "Red Armoire: 0\nElegant Armoire: 10\nMaple Armoire: 0\nCherry Armoire: 0\n"};
    std::string text;
    for (int i = 0; i < 10'000; ++i) {
        text += "A Bulk Order Deed\nBlessed\nWeight: 1 Stone\n" + deeds[i % deeds.size()] + "\n";
    }
    CBodLineParser parser;
    parser.m_nPasteMode = CBodLineParser::kPasteTooltip;
    std::size_t nValid = 0;
    for (auto _ : state) {
        std::vector<std::string> blocks;
        for (const std::string_view block : SplitPaste(text, parser.m_nPasteMode, blocks)) {
            std::unique_ptr<CBodItem> pItem;
            nValid += parser.ParseLine(block, pItem) ? 1 : 0;
        }
    }
    if (nValid != 10'000 * static_cast<std::size_t>(state.iterations())) {
        state.SkipWithError("a tooltip did not read valid");
    }
    state.SetItemsProcessed(state.iterations() * 10'000);
}
BENCHMARK(BM_ReadTooltips);

// About two megabytes of pasted export with CR LF line ends.
void BM_SplitBodLines(benchmark::State& state) {
    std::string text = "UOAssist bulk order deed list\r\n";
    const std::vector<std::string> lines = AosLines();
    while (text.size() < 2'000'000) {
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(SplitBodLines(text));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SplitBodLines);

} // namespace
