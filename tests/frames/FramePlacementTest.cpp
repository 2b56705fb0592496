#include "frames/FramePlacement.h"

#include "framework/Profile.h"

#include <QSettings>
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

const char* Last(const char* pszSection) {
    return QString(pszSection) == "Frame" ? "AlwaysOnTop" : "State";
}

void Store(const char* pszSection, const Stored& values) {
    const char* const entries[] = {"Top", "Left", "Bottom", "Right", Last(pszSection)};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] != kAbsent) {
            WriteProfileInt(pszSection, entries[i], values[i]);
        }
    }
}

QString StoredText(const char* pszSection) {
    QStringList values;
    for (const char* pszEntry : {"Top", "Left", "Bottom", "Right", Last(pszSection)}) {
        values << QString::number(GetProfileInt(pszSection, pszEntry, -1));
    }
    return values.join(' ');
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

// A placement is read only when complete, and kept on the screen; a document window's in
// document-area coordinates. nFlag: the always-on-top switch read, or the show state given.
TEST_F(PlacementTest, StoredPlacementIsReadOnlyWhenCompleteAndKeptOnScreen) {
    const struct {
        const char* pszSection;
        Stored stored;
        QRect rcExpected;
        int nFlag;
    } cases[] = {
        {"Frame", kNothing, {kFree, kFree, 679, 416}, 0},
        {"Frame", {10, 20, 410, 620, 1}, {20, 40, 600, 400}, 1},
        // A window one pixel left of the work area stored -1: the whole placement is lost.
        {"Frame", {10, -1, 410, 620, 1}, {kFree, kFree, 679, 416}, 0},
        {"Frame", {10, 20, 410, 620, kAbsent}, {kFree, kFree, 679, 416}, 0},
        {"Frame", {10, 20, 410, 620, 2}, {20, 40, 600, 400}, 0},
        {"Frame", {5000, 3000, 5400, 3600, 0}, {1920 - 32, 1080 - 32, 600, 400}, 0},
        {"Frame", {-200, -50, 200, 550, 0}, {-50, -170, 600, 400}, 0},
        {"ChildFrame", kNothing, {kFree, kFree, 599, 356}, kShowMaximized},
        {"ChildFrame", {10, 20, 210, 320, 3}, {20, 10, 300, 200}, kShowMaximized},
        {"ChildFrame", {10, 20, 210, 320, 1}, {20, 10, 300, 200}, 0},
        {"ChildFrame", {10, 20, 210, 320, 2}, {20, 10, 300, 200}, 0},
        {"ChildFrame", {10, 20, -1, 320, 1}, {kFree, kFree, 599, 356}, kShowMaximized},
        {"ChildFrame", {10, 4000, 210, 4300, 1}, {1920 - 32, 10, 300, 200}, 0},
    };
    for (const auto& c : cases) {
        Clear();
        Store(c.pszSection, c.stored);
        SCOPED_TRACE(c.pszSection + (": " + StoredText(c.pszSection)).toStdString());
        CCreateParams params;
        bool bAlwaysOnTop = c.nFlag == 0; // the opposite of what is expected
        const int nFlag = QString(c.pszSection) == "Frame"
                              ? (LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop),
                                 bAlwaysOnTop ? 1 : 0)
                              : LoadChildPlacement(params, 599, 356, kDesktop);
        EXPECT_EQ(c.rcExpected, Rect(params));
        EXPECT_EQ(c.nFlag, nFlag);
    }
    Clear();
    CCreateParams params; // Zero defaults leave the size to the platform.
    LoadFramePlacement(params, 0, 0, nullptr, kDesktop);
    EXPECT_FALSE(params.HasSize());
}

// The main window is stored relative to the work area and comes back where it was.
TEST_F(PlacementTest, PlacementsAreStoredAsTheyAreRead) {
    SaveFramePlacement(CWindowPlacement{QRect(100, 130, 600, 400)}, true, kDesktop);
    EXPECT_EQ("100 100 500 700 1", StoredText("Frame"));
    CCreateParams params;
    bool bAlwaysOnTop = false;
    LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop);
    EXPECT_EQ(QRect(100, 130, 600, 400), Rect(params));
    EXPECT_TRUE(bAlwaysOnTop);

    SaveChildPlacement(CWindowPlacement{QRect(-40, 25, 300, 200), kShowMinimized});
    EXPECT_EQ("25 -40 225 260 2", StoredText("ChildFrame"));
}

} // namespace
