#include "views/DiskChangeBar.h"

#include "framework/Document.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CDiskChangeBar::CDiskChangeBar(QWidget* pParent) : QFrame(pParent) {
    setObjectName(QStringLiteral("DiskChangeBar"));
    setFrameShape(QFrame::StyledPanel);
    // The desktop's colours for a note that asks to be read, in light and dark themes alike.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);

    auto* pIcon = new QLabel(this);
    const int nIconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    pIcon->setPixmap(style()
                         ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                         .pixmap(nIconSize, nIconSize));
    pIcon->setAlignment(Qt::AlignTop);
    m_labelText = new QLabel(this);
    m_labelText->setObjectName(QStringLiteral("labelDiskChange"));
    // The tree pane is narrow: the text takes lines rather than width.
    m_labelText->setWordWrap(true);
    auto* pReload = new QPushButton(tr("&Reload"), this);
    pReload->setObjectName(QStringLiteral("btnReload"));
    pReload->setToolTip(tr("Read the file again; changes not saved here are lost"));
    auto* pKeep = new QPushButton(tr("&Keep Mine"), this);
    pKeep->setObjectName(QStringLiteral("btnKeepMine"));
    pKeep->setToolTip(tr("Keep what this window shows; saving asks before it overwrites the file"));

    auto* pTextRow = new QHBoxLayout;
    pTextRow->addWidget(pIcon);
    pTextRow->addWidget(m_labelText, 1);
    auto* pButtonRow = new QHBoxLayout;
    pButtonRow->addStretch(1);
    pButtonRow->addWidget(pReload);
    pButtonRow->addWidget(pKeep);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTextRow);
    pLayout->addLayout(pButtonRow);

    connect(pReload, &QPushButton::clicked, this, [this] {
        if (m_pDocument) {
            m_pDocument->OnReloadFromDisk();
        }
    });
    connect(pKeep, &QPushButton::clicked, this, [this] {
        if (m_pDocument) {
            m_pDocument->DismissDiskChange();
        }
    });
    hide();
}

void CDiskChangeBar::SetDocument(CDocument* pDoc) {
    if (m_pDocument) {
        disconnect(m_pDocument, nullptr, this, nullptr);
    }
    m_pDocument = pDoc;
    if (pDoc != nullptr) {
        connect(pDoc, &CDocument::DiskChangeShownChanged, this, &CDiskChangeBar::Update);
    }
    Update();
}

void CDiskChangeBar::Update() {
    const bool bShown = m_pDocument && m_pDocument->IsDiskChangeShown();
    const bool bAppears = bShown && isHidden();
    if (bShown) {
        m_labelText->setText(
            tr("%1 was changed by another program.").arg(m_pDocument->GetDisplayName()));
    }
    setVisible(bShown);
    if (bAppears) {
        // A screen reader says it at once, as it would a message box.
        QAccessibleEvent event(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}
