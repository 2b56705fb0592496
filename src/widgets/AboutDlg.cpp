#include "widgets/AboutDlg.h"

#include "widgets/LinkLabel.h"
#include "framework/Resources.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    InitQuillmarResources();
    setWindowTitle(tr("About Quillmar"));

    auto* pIcon = new QLabel(this);
    const int nIconSize = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    pIcon->setPixmap(QIcon(QStringLiteral(":/app/quillmar.svg")).pixmap(nIconSize, nIconSize));
    pIcon->setAlignment(Qt::AlignTop);

    auto* pVersion =
        new QLabel(tr("Quillmar Version %1").arg(QStringLiteral(QUILLMAR_VERSION)), this);
    auto* pLicense =
        new QLabel(tr("Licensed under the GNU General Public License, version 3 or later."), this);
    const QString strContact = QStringLiteral(QUILLMAR_CONTACT);
    m_link = new CLinkLabel(this);
    m_link->setText(strContact);
    m_link->SetURL(QStringLiteral("mailto:") + strContact);
    m_link->EnableToolTip(true);
    m_link->SetToolTipText(tr("Please send your comments, questions, or complaints here :-)"));

    auto* pOk = new QPushButton(tr("OK"), this);
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* pTexts = new QVBoxLayout;
    pTexts->addWidget(pVersion);
    pTexts->addWidget(pLicense);
    pTexts->addWidget(m_link, 0, Qt::AlignLeft);
    pTexts->addStretch(1);

    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(pOk);
    pButtons->addStretch(1);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->addWidget(pIcon);
    pLayout->addLayout(pTexts, 1);
    pLayout->addLayout(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);

    // The link comes first in the tab order, but Enter on opening must close the box, not
    // start a mail program.
    pOk->setFocus();
}
