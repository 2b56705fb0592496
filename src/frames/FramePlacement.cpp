#include "frames/FramePlacement.h"

#include "framework/Profile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <array>
#include <optional>

namespace {

const QString kFrameSection = QStringLiteral("Frame");
const QString kChildSection = QStringLiteral("ChildFrame");
constexpr int kMissing = -1;

// Top, Left, Bottom, Right and the section's fifth entry, as stored.
struct CStoredPlacement {
    int nTop = 0;
    int nLeft = 0;
    int nBottom = 0;
    int nRight = 0;
    int nExtra = 0;
};

// Reads the five entries in their stored order. The first that holds -1 ends the reading: the
// placement counts as missing and the entries after it are not read.
std::optional<CStoredPlacement> ReadStoredPlacement(const QString& strSection,
                                                    const QString& strExtraEntry) {
    CStoredPlacement stored;
    const std::array<std::pair<const char*, int*>, 5> entries{{{"Top", &stored.nTop},
                                                               {"Left", &stored.nLeft},
                                                               {"Bottom", &stored.nBottom},
                                                               {"Right", &stored.nRight},
                                                               {nullptr, &stored.nExtra}}};
    for (const auto& [pszEntry, pnValue] : entries) {
        const QString strEntry =
            pszEntry != nullptr ? QString::fromLatin1(pszEntry) : strExtraEntry;
        *pnValue = GetProfileInt(strSection, strEntry, kMissing);
        if (*pnValue == kMissing) {
            return std::nullopt;
        }
    }
    return stored;
}

// A stored edge moved by the origin, kept short of the screen's far edge by one icon so that a
// window remembered on a screen that has since gone stays reachable. There is no lower limit.
int PlaceCoordinate(int nStored, int nOrigin, int nScreenExtent, int nIconExtent) {
    const int nLimit = nScreenExtent - nIconExtent;
    const int nValue = nStored + nOrigin;
    return nValue < nLimit ? nValue : nLimit;
}

void ApplyStoredPlacement(CCreateParams& params, const CStoredPlacement& stored,
                          const QPoint& ptOrigin, const CScreenMetrics& metrics) {
    params.cx = stored.nRight - stored.nLeft;
    params.cy = stored.nBottom - stored.nTop;
    params.x = PlaceCoordinate(stored.nLeft, ptOrigin.x(), metrics.sizeScreen.width(),
                               metrics.sizeIcon.width());
    params.y = PlaceCoordinate(stored.nTop, ptOrigin.y(), metrics.sizeScreen.height(),
                               metrics.sizeIcon.height());
}

void ApplyDefaultSize(CCreateParams& params, int nDefWidth, int nDefHeight) {
    if (nDefWidth != 0) {
        params.cx = nDefWidth;
    }
    if (nDefHeight != 0) {
        params.cy = nDefHeight;
    }
}

void WriteRect(const QString& strSection, const QRect& rc) {
    WriteProfileInt(strSection, "Top", rc.top());
    WriteProfileInt(strSection, "Left", rc.left());
    WriteProfileInt(strSection, "Bottom", rc.top() + rc.height());
    WriteProfileInt(strSection, "Right", rc.left() + rc.width());
}

} // namespace

CScreenMetrics CScreenMetrics::FromPrimaryScreen() {
    CScreenMetrics metrics;
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (pScreen == nullptr) {
        metrics.sizeScreen = QSize(800, 600);
        return metrics;
    }
    metrics.ptWorkAreaOrigin = pScreen->availableGeometry().topLeft();
    metrics.sizeScreen = pScreen->size();
    return metrics;
}

void LoadFramePlacement(CCreateParams& params, int nDefWidth, int nDefHeight, bool* pbAlwaysOnTop,
                        const CScreenMetrics& metrics) {
    const std::optional<CStoredPlacement> stored =
        ReadStoredPlacement(kFrameSection, "AlwaysOnTop");
    if (!stored) {
        ApplyDefaultSize(params, nDefWidth, nDefHeight);
        if (pbAlwaysOnTop != nullptr) {
            *pbAlwaysOnTop = false;
        }
        return;
    }
    if (pbAlwaysOnTop != nullptr) {
        *pbAlwaysOnTop = stored->nExtra == 1;
    }
    ApplyStoredPlacement(params, *stored, metrics.ptWorkAreaOrigin, metrics);
    params.bMaximized = GetProfileInt(kFrameSection, "State", kShowNormal) == kShowMaximized;
}

void SaveFramePlacement(const CWindowPlacement& placement, bool bAlwaysOnTop,
                        const CScreenMetrics& metrics) {
    WriteRect(kFrameSection, placement.rcNormal.translated(-metrics.ptWorkAreaOrigin));
    WriteProfileInt(kFrameSection, "AlwaysOnTop", bAlwaysOnTop ? 1 : 0);
    WriteProfileInt(kFrameSection, "State",
                    placement.nShowCmd == kShowMaximized ? kShowMaximized : kShowNormal);
}

int LoadChildPlacement(CCreateParams& params, int nDefWidth, int nDefHeight,
                       const CScreenMetrics& metrics) {
    const std::optional<CStoredPlacement> stored = ReadStoredPlacement(kChildSection, "State");
    if (!stored) {
        ApplyDefaultSize(params, nDefWidth, nDefHeight);
        return kShowMaximized;
    }
    // A document window's rectangle is kept in document-area coordinates, so it comes back in
    // them: moving it by the desktop's work area would shift every new window by the width of a
    // panel at the top or left of the screen.
    ApplyStoredPlacement(params, *stored, QPoint(0, 0), metrics);
    return stored->nExtra == kShowMaximized ? kShowMaximized : 0;
}

void SaveChildPlacement(const CWindowPlacement& placement) {
    WriteRect(kChildSection, placement.rcNormal);
    WriteProfileInt(kChildSection, "State", placement.nShowCmd);
}

int LoadSplitPosition(int nDefault) {
    return GetProfileInt(kChildSection, "Split", nDefault);
}

void SaveSplitPosition(const QSplitter* pSplitter) {
    if (pSplitter == nullptr || pSplitter->count() == 0) {
        return;
    }
    WriteProfileInt(kChildSection, "Split", pSplitter->sizes().constFirst());
}

void WriteProfileText(const QString& strSection, const QString& strEntry, const QString& strValue) {
    WriteProfileString(strSection, strEntry, strValue);
}

QString GetProfileText(const QString& strSection, const QString& strEntry,
                       const QString& strDefault) {
    return GetProfileString(strSection, strEntry, strDefault);
}
