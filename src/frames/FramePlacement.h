#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QSplitter;

// The parts of the desktop that decide where a remembered window may reappear. Passed in, so the
// placement arithmetic does not depend on the screen the program happens to run on.
struct CScreenMetrics {
    QPoint ptWorkAreaOrigin;
    QSize sizeScreen;
    QSize sizeIcon{32, 32};

    // The primary screen's work area and size, or an 800 x 600 desktop when there is no screen.
    static CScreenMetrics FromPrimaryScreen();
};

// Where and how large a window is to be made. A coordinate or extent left at kUseDefault is the
// platform's to choose.
struct CCreateParams {
    static constexpr int kUseDefault = -2147483647 - 1;
    int x = kUseDefault;
    int y = kUseDefault;
    int cx = kUseDefault;
    int cy = kUseDefault;
    // The main window was maximised when it was last closed.
    bool bMaximized = false;

    bool HasPosition() const { return x != kUseDefault && y != kUseDefault; }
    bool HasSize() const { return cx != kUseDefault && cy != kUseDefault; }
};

// The show states kept in "ChildFrame"/"State".
enum : int { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };

// A window's restored rectangle and how it is shown, as it is written to the settings.
struct CWindowPlacement {
    QRect rcNormal;
    int nShowCmd = kShowNormal;
};

// Reads "Frame" into params; *pbAlwaysOnTop (when given) is true only for a complete stored
// placement whose "AlwaysOnTop" is 1.
void LoadFramePlacement(CCreateParams& params, int nDefWidth, int nDefHeight, bool* pbAlwaysOnTop,
                        const CScreenMetrics& metrics = CScreenMetrics::FromPrimaryScreen());
// Writes the main window's restored rectangle (screen coordinates) relative to the work area,
// and whether it is maximised.
void SaveFramePlacement(const CWindowPlacement& placement, bool bAlwaysOnTop,
                        const CScreenMetrics& metrics = CScreenMetrics::FromPrimaryScreen());

// Reads "ChildFrame" into params and returns kShowMaximized when the window is to open
// maximised (also when nothing complete is stored), otherwise 0.
int LoadChildPlacement(CCreateParams& params, int nDefWidth, int nDefHeight,
                       const CScreenMetrics& metrics = CScreenMetrics::FromPrimaryScreen());
// Writes a document window's restored rectangle (document-area coordinates) and show state.
void SaveChildPlacement(const CWindowPlacement& placement);

int LoadSplitPosition(int nDefault);
// Writes the width of the splitter's first pane; nothing without a splitter.
void SaveSplitPosition(const QSplitter* pSplitter);

void WriteProfileText(const QString& strSection, const QString& strEntry, const QString& strValue);
QString GetProfileText(const QString& strSection, const QString& strEntry,
                       const QString& strDefault);
