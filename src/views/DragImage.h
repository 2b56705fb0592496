#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QIcon;

// The picture of a dragged node (its icon and label) that follows the cursor over the whole
// screen. It never takes the mouse or the focus, so the view that drags keeps every event.
class CDragImage final : public QWidget {
    Q_OBJECT
public:
    CDragImage(const QIcon& icon, const QSize& iconSize, const QString& strLabel,
               const QFont& font);

    // Places the picture so that its hot spot lies on ptGlobal, and shows it.
    void MoveTo(const QPoint& ptGlobal);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    // The point of the picture that sits under the cursor.
    static constexpr QPoint kHotSpot{15, 15};

    QPixmap m_pixmap;
};
