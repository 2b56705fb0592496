#include "views/DragImage.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>

namespace {
constexpr int kGap = 4;
}

CDragImage::CDragImage(const QIcon& icon, const QSize& iconSize, const QString& strLabel,
                       const QFont& font)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);

    const QFontMetrics metrics(font);
    const int nHeight = std::max(iconSize.height(), metrics.height()) + 2;
    const int nWidth = iconSize.width() + kGap + metrics.horizontalAdvance(strLabel) + kGap;
    const qreal dpr = devicePixelRatioF();
    m_pixmap = QPixmap(QSize(nWidth, nHeight) * dpr);
    m_pixmap.setDevicePixelRatio(dpr);
    m_pixmap.fill(Qt::transparent);
    QPainter painter(&m_pixmap);
    painter.setOpacity(0.75);
    icon.paint(&painter, QRect(QPoint(0, (nHeight - iconSize.height()) / 2), iconSize));
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(iconSize.width() + kGap, 0, nWidth, nHeight), Qt::AlignVCenter,
                     strLabel);
    painter.end();
    resize(nWidth, nHeight);
}

void CDragImage::MoveTo(const QPoint& ptGlobal) {
    move(ptGlobal - kHotSpot);
    if (!isVisible()) {
        show();
    }
}

void CDragImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
}
