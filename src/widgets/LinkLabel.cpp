#include "widgets/LinkLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

CLinkLabel::CLinkLabel(QWidget* pParent)
    : QLabel(pParent), m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setTextFormat(Qt::PlainText);
    // Only underline is set, so size and family keep following the dialog's font.
    QFont underlined;
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    // A click must not take the focus from the dialog's default button, or Enter would open the
    // link again; the keyboard reaches the link with Tab and opens it with Space, as a button.
    setFocusPolicy(Qt::TabFocus);
    UpdateColor();
}

void CLinkLabel::SetToolTipText(const QString& strText) {
    if (m_bToolTip) {
        setToolTip(strText);
    }
}

bool CLinkLabel::OpenLink(const QString& strTarget) {
    return m_opener(QUrl(strTarget, QUrl::TolerantMode));
}

QColor CLinkLabel::GetTextColor() const {
    // The desktop's link colour reads on its own window colour, light or dark; so does its
    // visited colour where the fixed dark blue would vanish into a dark window.
    const bool bDarkWindow = palette().color(QPalette::Window).lightness() < 128;
    if (m_bVisited) {
        return bDarkWindow ? palette().color(QPalette::LinkVisited) : m_crVisited;
    }
    return m_bOverControl ? m_crHover : palette().color(QPalette::Link);
}

void CLinkLabel::enterEvent(QEnterEvent* pEvent) {
    m_bOverControl = true;
    UpdateColor();
    QLabel::enterEvent(pEvent);
}

void CLinkLabel::leaveEvent(QEvent* pEvent) {
    m_bOverControl = false;
    UpdateColor();
    QLabel::leaveEvent(pEvent);
}

void CLinkLabel::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_bPressed = true;
        pEvent->accept();
        return;
    }
    QLabel::mousePressEvent(pEvent);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton && m_bPressed) {
        m_bPressed = false;
        if (rect().contains(pEvent->position().toPoint())) {
            OnClicked();
        }
        pEvent->accept();
        return;
    }
    QLabel::mouseReleaseEvent(pEvent);
}

void CLinkLabel::keyPressEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_Space) {
        OnClicked();
        pEvent->accept();
        return;
    }
    QLabel::keyPressEvent(pEvent);
}

void CLinkLabel::paintEvent(QPaintEvent* pEvent) {
    QLabel::paintEvent(pEvent);
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void CLinkLabel::OnClicked() {
    // Whether the desktop found a program for the link is not the user's concern here.
    OpenLink(m_strURL);
    m_bVisited = true;
    UpdateColor();
}

void CLinkLabel::UpdateColor() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, GetTextColor());
    setPalette(palette);
}
