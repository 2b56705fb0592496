#include "frames/FramePlacement.h"

#include "framework/Profile.h"

#include <QSettings>
#include <QSplitter>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

// A desktop whose work area starts below a 30-pixel panel, so the offset shows.
const CScreenMetrics kDesktop{QPoint(0, 30), QSize(1920, 1080), QSize(32, 32)};

struct CStoredEntry {
    const char* pszEntry;
    int nValue;
};

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings("Larkfield", "Quillmar").clear(); }
    void TearDown() override { QSettings("Larkfield", "Quillmar").clear(); }

    static void Store(const QString& strSection, const std::vector<CStoredEntry>& entries) {
        for (const CStoredEntry& entry : entries) {
            WriteProfileInt(strSection, entry.pszEntry, entry.nValue);
        }
    }
};

struct CFrameCase {
    const char* pszName;
    std::vector<CStoredEntry> stored;
    CCreateParams expected;
    bool bAlwaysOnTop;
};

CCreateParams Params(int x, int y, int cx, int cy) {
    CCreateParams params;
    params.x = x;
    params.y = y;
    params.cx = cx;
    params.cy = cy;
    return params;
}

constexpr int kFree = CCreateParams::kUseDefault;

class FramePlacementLoadTest : public PlacementTest,
                               public ::testing::WithParamInterface<CFrameCase> {};

TEST_P(FramePlacementLoadTest, ReadsFrameSection) {
    const CFrameCase& c = GetParam();
    Store("Frame", c.stored);
    CCreateParams params;
    bool bAlwaysOnTop = !c.bAlwaysOnTop;
    LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop);
    EXPECT_EQ(c.expected.x, params.x);
    EXPECT_EQ(c.expected.y, params.y);
    EXPECT_EQ(c.expected.cx, params.cx);
    EXPECT_EQ(c.expected.cy, params.cy);
    EXPECT_EQ(c.bAlwaysOnTop, bAlwaysOnTop);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FramePlacementLoadTest,
    ::testing::Values(
        CFrameCase{"Empty", {}, Params(kFree, kFree, 679, 416), false},
        CFrameCase{"Complete",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", 410}, {"Right", 620}, {"AlwaysOnTop", 1}},
                   Params(20, 40, 600, 400),
                   true},
        // A window one pixel left of the work area stored -1: the whole placement is lost.
        CFrameCase{"LeftMinusOne",
                   {{"Top", 10}, {"Left", -1}, {"Bottom", 410}, {"Right", 620}, {"AlwaysOnTop", 1}},
                   Params(kFree, kFree, 679, 416),
                   false},
        CFrameCase{"AlwaysOnTopMissing",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", 410}, {"Right", 620}},
                   Params(kFree, kFree, 679, 416),
                   false},
        CFrameCase{"AlwaysOnTopTwoIsOff",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", 410}, {"Right", 620}, {"AlwaysOnTop", 2}},
                   Params(20, 40, 600, 400),
                   false},
        CFrameCase{
            "BeyondRightAndBottomEdge",
            {{"Top", 5000}, {"Left", 3000}, {"Bottom", 5400}, {"Right", 3600}, {"AlwaysOnTop", 0}},
            Params(1920 - 32, 1080 - 32, 600, 400),
            false},
        CFrameCase{
            "NegativeKeptUnchanged",
            {{"Top", -200}, {"Left", -50}, {"Bottom", 200}, {"Right", 550}, {"AlwaysOnTop", 0}},
            Params(-50, -170, 600, 400),
            false}),
    [](const ::testing::TestParamInfo<CFrameCase>& info) { return info.param.pszName; });

TEST_F(PlacementTest, ZeroDefaultsLeaveTheSizeToThePlatform) {
    CCreateParams params;
    LoadFramePlacement(params, 0, 0, nullptr, kDesktop);
    EXPECT_FALSE(params.HasSize());
    EXPECT_FALSE(params.HasPosition());
}

TEST_F(PlacementTest, FrameRoundTripsThroughTheWorkArea) {
    CWindowPlacement placement;
    placement.rcNormal = QRect(100, 130, 600, 400);
    SaveFramePlacement(placement, true, kDesktop);
    EXPECT_EQ(100, GetProfileInt("Frame", "Top", -1));
    EXPECT_EQ(100, GetProfileInt("Frame", "Left", -1));
    EXPECT_EQ(500, GetProfileInt("Frame", "Bottom", -1));
    EXPECT_EQ(700, GetProfileInt("Frame", "Right", -1));
    EXPECT_EQ(1, GetProfileInt("Frame", "AlwaysOnTop", -1));

    CCreateParams params;
    bool bAlwaysOnTop = false;
    LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop);
    EXPECT_EQ(QRect(100, 130, 600, 400), QRect(params.x, params.y, params.cx, params.cy));
    EXPECT_TRUE(bAlwaysOnTop);
}

struct CChildCase {
    const char* pszName;
    std::vector<CStoredEntry> stored;
    CCreateParams expected;
    int nShowState;
};

class ChildPlacementLoadTest : public PlacementTest,
                               public ::testing::WithParamInterface<CChildCase> {};

TEST_P(ChildPlacementLoadTest, ReadsChildFrameSection) {
    const CChildCase& c = GetParam();
    Store("ChildFrame", c.stored);
    CCreateParams params;
    EXPECT_EQ(c.nShowState, LoadChildPlacement(params, 599, 356, kDesktop));
    EXPECT_EQ(c.expected.x, params.x);
    EXPECT_EQ(c.expected.y, params.y);
    EXPECT_EQ(c.expected.cx, params.cx);
    EXPECT_EQ(c.expected.cy, params.cy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChildPlacementLoadTest,
    ::testing::Values(
        CChildCase{"EmptyOpensMaximised", {}, Params(kFree, kFree, 599, 356), kShowMaximized},
        CChildCase{"Maximised",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", 210}, {"Right", 320}, {"State", 3}},
                   Params(20, 10, 300, 200),
                   kShowMaximized},
        CChildCase{"Normal",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", 210}, {"Right", 320}, {"State", 1}},
                   Params(20, 10, 300, 200),
                   0},
        CChildCase{"MinimisedOpensAsAsked",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", 210}, {"Right", 320}, {"State", 2}},
                   Params(20, 10, 300, 200),
                   0},
        CChildCase{"BottomMinusOneIsMissing",
                   {{"Top", 10}, {"Left", 20}, {"Bottom", -1}, {"Right", 320}, {"State", 1}},
                   Params(kFree, kFree, 599, 356),
                   kShowMaximized},
        CChildCase{"ClampedToScreen",
                   {{"Top", 10}, {"Left", 4000}, {"Bottom", 210}, {"Right", 4300}, {"State", 1}},
                   Params(1920 - 32, 10, 300, 200),
                   0}),
    [](const ::testing::TestParamInfo<CChildCase>& info) { return info.param.pszName; });

// Document windows are stored in document-area coordinates; reading them back must not shift
// them by the desktop's panel, or every window would creep further on each open.
TEST_F(PlacementTest, ChildRoundTripDoesNotCreep) {
    CWindowPlacement placement{QRect(-40, 25, 300, 200), kShowNormal};
    for (int nRound = 0; nRound < 3; ++nRound) {
        SaveChildPlacement(placement);
        CCreateParams params;
        EXPECT_EQ(0, LoadChildPlacement(params, 599, 356, kDesktop));
        placement.rcNormal = QRect(params.x, params.y, params.cx, params.cy);
    }
    EXPECT_EQ(QRect(-40, 25, 300, 200), placement.rcNormal);
    EXPECT_EQ(kShowNormal, GetProfileInt("ChildFrame", "State", -1));
}

TEST_F(PlacementTest, SplitPosition) {
    EXPECT_EQ(150, LoadSplitPosition(150));
    SaveSplitPosition(nullptr);
    EXPECT_EQ(150, LoadSplitPosition(150));

    QWidget window;
    window.resize(600, 300);
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
