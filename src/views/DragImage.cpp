#include "views/DragImage.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>

namespace {
constexpr int kGap = 4;
constexpr int kBorder = 1;
} // namespace

CDragImage::CDragImage(const QIcon& icon, const QSize& iconSize, const QString& strLabel,
                       const QFont& font)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Opaque on purpose: without a compositor a see-through window shows black where it is
    // clear, and the label would vanish into it.
    const QFontMetrics metrics(font);
    const int nHeight = std::max(iconSize.height(), metrics.height()) + 2 * kBorder;
    const int nWidth =
        kBorder + iconSize.width() + kGap + metrics.horizontalAdvance(strLabel) + kGap + kBorder;
    const qreal dpr = devicePixelRatioF();
    m_pixmap = QPixmap(QSize(nWidth, nHeight) * dpr);
    m_pixmap.setDevicePixelRatio(dpr);
    m_pixmap.fill(palette().color(QPalette::Base));
    QPainter painter(&m_pixmap);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(0, 0, nWidth - 1, nHeight - 1);
    icon.paint(&painter, QRect(QPoint(kBorder, (nHeight - iconSize.height()) / 2), iconSize));
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(kBorder + iconSize.width() + kGap, 0, nWidth, nHeight), Qt::AlignVCenter,
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
