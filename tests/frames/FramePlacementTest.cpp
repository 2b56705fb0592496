#include "frames/FramePlacement.h"

#include "frames/QuillmarAppFixture.h"
#include "framework/Profile.h"

#include <QSettings>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// A desktop whose work area starts below a 30-pixel panel, so the offset shows.
const CScreenMetrics kDesktop{QPoint(0, 30), QSize(1920, 1080), QSize(32, 32)};
constexpr int kFree = CCreateParams::kUseDefault;

QStringList Entries(const QString& strSection) {
    return {"Top", "Left", "Bottom", "Right", strSection == "Frame" ? "AlwaysOnTop" : "State"};
}

// The values in the order of Entries(), "-" for one left out.
void Store(const char* pszSection, const QString& strValues) {
    const QStringList values = strValues.split(' ');
    for (int i = 0; i < values.size(); ++i) {
        if (values[i] != "-") {
            WriteProfileInt(pszSection, Entries(pszSection)[i], values[i].toInt());
        }
    }
}

QString StoredText(const char* pszSection) {
    QStringList values;
    for (const QString& strEntry : Entries(pszSection)) {
        values << QString::number(GetProfileInt(pszSection, strEntry, -1));
    }
    return values.join(' ');
}

using PlacementTest = QuillmarAppFixture; // on clean settings

// A placement is read only when complete, and kept on the screen; a document window's in
// document-area coordinates. Last: the always-on-top switch read, or the show state given.
TEST_F(PlacementTest, StoredPlacementIsReadOnlyWhenCompleteAndKeptOnScreen) {
    const std::tuple<const char*, const char*, QRect, int> cases[] = {
        {"Frame", "- - - - -", {kFree, kFree, 679, 416}, 0},
        {"Frame", "10 20 410 620 1", {20, 40, 600, 400}, 1},
        // A window one pixel left of the work area stored -1: the whole placement is lost.
        {"Frame", "10 -1 410 620 1", {kFree, kFree, 679, 416}, 0},
        {"Frame", "10 20 410 620 -", {kFree, kFree, 679, 416}, 0},
        {"Frame", "10 20 410 620 2", {20, 40, 600, 400}, 0},
        {"Frame", "5000 3000 5400 3600 0", {1920 - 32, 1080 - 32, 600, 400}, 0},
        {"Frame", "-200 -50 200 550 0", {-50, -170, 600, 400}, 0},
        {"ChildFrame", "- - - - -", {kFree, kFree, 599, 356}, kShowMaximized},
        {"ChildFrame", "10 20 210 320 3", {20, 10, 300, 200}, kShowMaximized},
        {"ChildFrame", "10 20 210 320 1", {20, 10, 300, 200}, 0},
        {"ChildFrame", "10 20 -1 320 1", {kFree, kFree, 599, 356}, kShowMaximized},
        {"ChildFrame", "10 4000 210 4300 1", {1920 - 32, 10, 300, 200}, 0}};
    for (const auto& [pszSection, pszStored, rcExpected, nExpected] : cases) {
        QSettings().clear();
        Store(pszSection, pszStored);
        SCOPED_TRACE(std::string(pszSection) + ": " + pszStored);
        CCreateParams params;
        bool bAlwaysOnTop = nExpected == 0; // the opposite of what is expected
        const int nFlag = QString(pszSection) == "Frame"
                              ? (LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop),
                                 bAlwaysOnTop ? 1 : 0)
                              : LoadChildPlacement(params, 599, 356, kDesktop);
        EXPECT_EQ(rcExpected, QRect(params.x, params.y, params.cx, params.cy));
        EXPECT_EQ(nExpected, nFlag);
    }
}

// The main window is stored relative to the work area and comes back where it was.
TEST_F(PlacementTest, PlacementsAreStoredAsTheyAreRead) {
    SaveFramePlacement(CWindowPlacement{QRect(100, 130, 600, 400)}, true, kDesktop);
    EXPECT_EQ("100 100 500 700 1", StoredText("Frame"));
    CCreateParams params;
    bool bAlwaysOnTop = false;
    LoadFramePlacement(params, 679, 416, &bAlwaysOnTop, kDesktop);
    EXPECT_EQ(QRect(100, 130, 600, 400), QRect(params.x, params.y, params.cx, params.cy));
    EXPECT_TRUE(bAlwaysOnTop);
}

} // namespace
