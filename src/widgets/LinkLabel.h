#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>

// A text that looks and acts like a link: underlined, in the desktop's link colour (blue on a
// light desktop), red while the pointer is over it, and in the visited colour once clicked, for
// as long as the object lives. A click (or Enter or Space while it has the focus) asks the
// desktop to open the target.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    // Opens a target; returns whether the desktop accepted it.
    using Opener = std::function<bool(const QUrl&)>;

    explicit CLinkLabel(QWidget* pParent = nullptr);

    void SetURL(const QString& strURL) { m_strURL = strURL; }
    // Until the tooltip is enabled, SetToolTipText is ignored.
    void EnableToolTip(bool bEnable) { m_bToolTip = bEnable; }
    void SetToolTipText(const QString& strText);
    bool OpenLink(const QString& strTarget);
    // Replaces the desktop's opener, so a test never starts a mail program.
    void SetOpener(Opener opener) { m_opener = std::move(opener); }

    // The colour the text is drawn in now.
    QColor GetTextColor() const;

protected:
    void enterEvent(QEnterEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void OnClicked();
    void UpdateColor();

    bool m_bToolTip = false;
    bool m_bOverControl = false;
    bool m_bVisited = false;
    // A click counts only when the button goes down and up again over the link.
    bool m_bPressed = false;
    QString m_strURL;
    Opener m_opener;
    const QColor m_crHover{255, 0, 0};
    const QColor m_crVisited{5, 34, 143};
};
