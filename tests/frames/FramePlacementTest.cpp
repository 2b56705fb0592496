#include "frames/FramePlacement.h"

#include "framework/Profile.h"

#include <QSettings>
#include <QSplitter>
#include <QWidget>
#include <array>
#include <climits>
#include <gtest/gtest.h>

namespace {

// A desktop whose work area starts below a 30-pixel panel, so the offset shows.
const CScreenMetrics kDesktop{QPoint(0, 30), QSize(1920, 1080), QSize(32, 32)};
constexpr int kFree = CCreateParams::kUseDefault;

// "Top", "Left", "Bottom", "Right", then "AlwaysOnTop" or "State"; kAbsent leaves one out.
using Stored = std::array<int, 5>;
constexpr int kAbsent = INT_MAX;
constexpr Stored kNothing{kAbsent, kAbsent, kAbsent, kAbsent, kAbsent};

void Store(const char* pszSection, const char* pszLast, const Stored& values) {
    const char* const entries[] = {"Top", "Left", "Bottom", "Right", pszLast};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] != kAbsent) {
            WriteProfileInt(pszSection, entries[i], values[i]);
        }
    }
}

QRect Rect(const CCreateParams& params) {
    return {params.x, params.y, params.cx, params.cy};
}

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() { QSettings("Larkfield", "Quillmar").clear(); }
};

TEST_F(PlacementTest, FrameIsReadOnlyWhenCompleteAndKeptOnScreen) {
    const struct {
        const char* pszName;
        Stored stored;
        QRect rcExpected;
        bool bAlwaysOnTop;
    } cases[] = {
        {"empty", kNothing, {kFree, kFree, 679, 416}, false},
        {"complete", {10, 20, 410, 620, 1}, {20, 40, 600, 400}, true},
        // A window one pixel left of the work area stored -1: the whole placement is lost.
        {"left -1", {10, -1, 410, 620, 1}, {kFree, kFree, 679, 416}, false},
        {"no AlwaysOnTop", {10, 20, 410, 620, kAbsent}, {kFree, kFree, 679, 416}, false},
        {"AlwaysOnTop 2", {10, 20, 410, 620, 2}, {20, 40, 600, 400}, false},
        {"beyond the edges", {5000, 3000, 5400, 3600, 0}, {1920 - 32, 1080 - 32, 600, 400}, false},
        {"negative", {-200, -50, 200, 550, 0}, {-50, -170, 600, 400}, false},
    };
    for (const auto& c : cases) {
        Clear();
        Store("Frame", "AlwaysOnTop", c.stored);
        CCreateParams params;
        bool bAlwaysOnTop = !c.bAlwaysOnTop;
        LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop);
        EXPECT_EQ(c.rcExpected, Rect(params)) << c.pszName;
        EXPECT_EQ(c.bAlwaysOnTop, bAlwaysOnTop) << c.pszName;
    }
    Clear();
    CCreateParams params; // Zero defaults leave the size to the platform.
    LoadFramePlacement(params, 0, 0, nullptr, kDesktop);
    EXPECT_FALSE(params.HasSize());
    EXPECT_FALSE(params.HasPosition());
}

TEST_F(PlacementTest, FrameRoundTripsThroughTheWorkArea) {
    SaveFramePlacement(CWindowPlacement{QRect(100, 130, 600, 400)}, true, kDesktop);
    const Stored expected{100, 100, 500, 700, 1};
    const char* const entries[] = {"Top", "Left", "Bottom", "Right", "AlwaysOnTop"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i], GetProfileInt("Frame", entries[i], -1)) << entries[i];
    }
    CCreateParams params;
    bool bAlwaysOnTop = false;
    LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop);
    EXPECT_EQ(QRect(100, 130, 600, 400), Rect(params));
    EXPECT_TRUE(bAlwaysOnTop);
}

TEST_F(PlacementTest, ChildIsReadOnlyWhenCompleteAndOpensMaximisedOtherwise) {
    const struct {
        const char* pszName;
        Stored stored;
        QRect rcExpected;
        int nShowState;
    } cases[] = {
        {"empty", kNothing, {kFree, kFree, 599, 356}, kShowMaximized},
        {"maximised", {10, 20, 210, 320, 3}, {20, 10, 300, 200}, kShowMaximized},
        {"normal", {10, 20, 210, 320, 1}, {20, 10, 300, 200}, 0},
        {"minimised", {10, 20, 210, 320, 2}, {20, 10, 300, 200}, 0},
        {"bottom -1", {10, 20, -1, 320, 1}, {kFree, kFree, 599, 356}, kShowMaximized},
        {"beyond the edge", {10, 4000, 210, 4300, 1}, {1920 - 32, 10, 300, 200}, 0},
    };
    for (const auto& c : cases) {
        Clear();
        Store("ChildFrame", "State", c.stored);
        CCreateParams params;
        EXPECT_EQ(c.nShowState, LoadChildPlacement(params, 599, 356, kDesktop)) << c.pszName;
        EXPECT_EQ(c.rcExpected, Rect(params)) << c.pszName;
    }
}

// Document windows are stored in document-area coordinates; reading them back must not shift
// them by the desktop's panel, or every window would creep further on each open.
TEST_F(PlacementTest, ChildRoundTripDoesNotCreep) {
    CWindowPlacement placement{QRect(-40, 25, 300, 200), kShowNormal};
    for (int nRound = 0; nRound < 3; ++nRound) {
        SaveChildPlacement(placement);
        CCreateParams params;
        EXPECT_EQ(0, LoadChildPlacement(params, 599, 356, kDesktop));
        placement.rcNormal = Rect(params);
    }
    EXPECT_EQ(QRect(-40, 25, 300, 200), placement.rcNormal);
    EXPECT_EQ(kShowNormal, GetProfileInt("ChildFrame", "State", -1));
}

TEST_F(PlacementTest, SplitPosition) {
    SaveSplitPosition(nullptr);
    EXPECT_EQ(150, LoadSplitPosition(150));

    QWidget window;
    auto* pSplitter = new QSplitter(&window);
    pSplitter->addWidget(new QWidget);
    pSplitter->addWidget(new QWidget);
    pSplitter->setGeometry(0, 0, 600, 300);
    window.show();
    pSplitter->setSizes({123, 600 - 123 - pSplitter->handleWidth()});
    SaveSplitPosition(pSplitter);
    EXPECT_EQ(123, LoadSplitPosition(150));
}

} // namespace
