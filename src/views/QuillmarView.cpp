#include "views/QuillmarView.h"

#include "framework/DisplayText.h"
#include "framework/NotesText.h"
#include "framework/Prompt.h"
#include "model/BodItem.h"
#include "model/ShoppingList.h"
#include "model/TextUtil.h"
#include "views/PointsText.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Deed texts reach captions that would read "&" as a mnemonic marker.
QString EscapeMnemonic(QString str) {
    return str.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QLabel* MakePlainLabel(QWidget* pParent) {
    auto* pLabel = new QLabel(pParent);
    // Deed texts come from pasted game text; never let them be read as markup.
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}

void KeepPlaceWhenHidden(QWidget* pWidget) {
    QSizePolicy policy = pWidget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    pWidget->setSizePolicy(policy);
}

} // namespace

CQuillmarView::CQuillmarView(QWidget* pParent) : QScrollArea(pParent) {
    BuildControls();
}

CQuillmarView::~CQuillmarView() = default;

void CQuillmarView::BuildControls() {
    auto* pForm = new QWidget(this);
    auto* pFormLayout = new QVBoxLayout(pForm);
    // The group box draws its own margin; a second one around it would cost the room that
    // lets the form show whole at the first-run size.
    pFormLayout->setContentsMargins(0, 0, 0, 0);

    m_groupParts = new QGroupBox(tr("SBOD's Filled"), pForm);
    pFormLayout->addWidget(m_groupParts);
    pFormLayout->addStretch(1);
    auto* pGrid = new QGridLayout(m_groupParts);

    pGrid->addWidget(new QLabel(tr("Count:"), m_groupParts), 0, 0);
    m_staticCount = MakePlainLabel(m_groupParts);
    m_staticCount->setObjectName(QStringLiteral("staticCount"));
    m_staticCount->setMinimumWidth(m_staticCount->fontMetrics().horizontalAdvance("9999/9999"));
    pGrid->addWidget(m_staticCount, 0, 1);

    m_staticAdjust = new QLabel(tr("Adjust Count:"), m_groupParts);
    KeepPlaceWhenHidden(m_staticAdjust);
    pGrid->addWidget(m_staticAdjust, 0, 2);

    m_editAdjust = new QLineEdit(m_groupParts);
    m_editAdjust->setObjectName(QStringLiteral("editAdjust"));
    m_editAdjust->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), m_editAdjust));
    m_editAdjust->setMaximumWidth(m_editAdjust->fontMetrics().horizontalAdvance("99999") + 12);
    m_editAdjust->installEventFilter(this);
    m_staticAdjust->setBuddy(m_editAdjust);
    KeepPlaceWhenHidden(m_editAdjust);

    m_spinAdjust = new QWidget(m_groupParts);
    auto* pSpinLayout = new QVBoxLayout(m_spinAdjust);
    pSpinLayout->setContentsMargins(0, 0, 0, 0);
    pSpinLayout->setSpacing(0);
    m_btnAdjustUp = new QToolButton(m_spinAdjust);
    m_btnAdjustDown = new QToolButton(m_spinAdjust);
    m_btnAdjustUp->setObjectName(QStringLiteral("btnAdjustUp"));
    m_btnAdjustDown->setObjectName(QStringLiteral("btnAdjustDown"));
    m_btnAdjustUp->setArrowType(Qt::UpArrow);
    m_btnAdjustDown->setArrowType(Qt::DownArrow);
    // The arrows carry no text a screen reader could read out.
    m_btnAdjustUp->setAccessibleName(tr("Increase Adjust Count"));
    m_btnAdjustDown->setAccessibleName(tr("Decrease Adjust Count"));
    for (QToolButton* pArrow : {m_btnAdjustUp, m_btnAdjustDown}) {
        pArrow->setAutoRepeat(true);
        pArrow->setAutoRaise(true);
        pArrow->setFocusPolicy(Qt::NoFocus);
        pArrow->setFixedSize(16, m_editAdjust->sizeHint().height() / 2);
        pSpinLayout->addWidget(pArrow);
    }
    KeepPlaceWhenHidden(m_spinAdjust);

    auto* pAdjustLayout = new QHBoxLayout;
    pAdjustLayout->setSpacing(0);
    pAdjustLayout->addWidget(m_editAdjust);
    pAdjustLayout->addWidget(m_spinAdjust);
    pAdjustLayout->addStretch(1);
    pGrid->addLayout(pAdjustLayout, 0, 3);

    pGrid->addWidget(new QLabel(tr("Date:"), m_groupParts), 1, 0);
    m_staticDate = MakePlainLabel(m_groupParts);
    m_staticDate->setObjectName(QStringLiteral("staticDate"));
    pGrid->addWidget(m_staticDate, 1, 1, 1, 3);

    // The labels are the edits' buddies, so a screen reader names the edits by them rather
    // than by the group's title, which is the selected deed's.
    auto* pPriceLabel = new QLabel(tr("Price:"), m_groupParts);
    pGrid->addWidget(pPriceLabel, 2, 0);
    m_editPrice = new QLineEdit(m_groupParts);
    m_editPrice->setObjectName(QStringLiteral("editPrice"));
    pPriceLabel->setBuddy(m_editPrice);
    pGrid->addWidget(m_editPrice, 2, 1, 1, 3);

    auto* pNotesLabel = new QLabel(tr("Notes:"), m_groupParts);
    pGrid->addWidget(pNotesLabel, 3, 0);
    m_editNotes = new QPlainTextEdit(m_groupParts);
    m_editNotes->setObjectName(QStringLiteral("editNotes"));
    pNotesLabel->setBuddy(m_editNotes);
    m_editNotes->setTabChangesFocus(true);
    m_editNotes->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editNotes->setFixedHeight(m_editNotes->fontMetrics().lineSpacing() * 4 + 12);
    pGrid->addWidget(m_editNotes, 4, 0, 1, 4);

    // The part boxes stand close together, as a list, so six of them fit under the notes.
    auto* pPartsLayout = new QVBoxLayout;
    pPartsLayout->setSpacing(0);
    pGrid->addLayout(pPartsLayout, 5, 0, 1, 4);
    for (int i = 0; i < kPartBoxes; ++i) {
        auto* pBox = new QCheckBox(m_groupParts);
        pBox->setObjectName(QStringLiteral("checkPart%1").arg(i + 1));
        pBox->hide();
        KeepPlaceWhenHidden(pBox);
        pPartsLayout->addWidget(pBox);
        connect(pBox, &QCheckBox::clicked, this, &CQuillmarView::OnPartClicked);
        m_checkPart[static_cast<std::size_t>(i)] = pBox;
    }

    m_btnApply = new QPushButton(tr("&Apply"), m_groupParts);
    m_btnCancel = new QPushButton(tr("&Cancel"), m_groupParts);
    m_btnApply->setObjectName(QStringLiteral("btnApply"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnApply->setDefault(true);
    m_btnApply->setEnabled(false);
    m_btnCancel->setEnabled(false);
    pGrid->addWidget(m_btnApply, 0, 4);
    pGrid->addWidget(m_btnCancel, 1, 4);
    // The deed's worth, on two short lines under the buttons: the one place of the count's
    // side of the form with room to spare, so the form keeps its first-run size.
    m_staticPoints = MakePlainLabel(m_groupParts);
    m_staticPoints->setObjectName(QStringLiteral("staticPoints"));
    m_staticPoints->setAlignment(Qt::AlignRight | Qt::AlignTop);
    pGrid->addWidget(m_staticPoints, 2, 4, 2, 1);
    m_btnEditDeed = new QPushButton(tr("&Edit Deed..."), m_groupParts);
    m_btnEditDeed->setObjectName(QStringLiteral("btnEditDeed"));
    m_btnEditDeed->setEnabled(false);
    pGrid->addWidget(m_btnEditDeed, 4, 4);
    pGrid->setColumnStretch(3, 1);
    pGrid->setRowStretch(6, 1);

    QWidget* pPrevious = m_editAdjust;
    for (QWidget* pNext :
         std::initializer_list<QWidget*>{m_editPrice, m_editNotes, m_checkPart[0], m_checkPart[1],
                                         m_checkPart[2], m_checkPart[3], m_checkPart[4],
                                         m_checkPart[5], m_btnApply, m_btnCancel, m_btnEditDeed}) {
        setTabOrder(pPrevious, pNext);
        pPrevious = pNext;
    }

    connect(m_editAdjust, &QLineEdit::textChanged, this, &CQuillmarView::OnEditChange);
    connect(m_editPrice, &QLineEdit::textChanged, this, &CQuillmarView::OnEditChange);
    connect(m_editNotes, &QPlainTextEdit::textChanged, this, &CQuillmarView::OnEditChange);
    connect(m_btnAdjustUp, &QToolButton::clicked, this, [this] { StepAdjust(1); });
    connect(m_btnAdjustDown, &QToolButton::clicked, this, [this] { StepAdjust(-1); });
    connect(m_btnApply, &QPushButton::clicked, this, &CQuillmarView::OnApply);
    connect(m_btnCancel, &QPushButton::clicked, this, &CQuillmarView::OnCancel);
    // The dialog starts from the deed as stored: edits not applied yet are left in the form.
    connect(m_btnEditDeed, &QPushButton::clicked, this, [this] {
        if (CQuillmarDoc* pDoc = GetDocument(); pDoc != nullptr && m_pBod != nullptr) {
            pDoc->OnEditDeed(m_pBod);
        }
    });

    setWidget(pForm);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

CQuillmarDoc* CQuillmarView::GetDocument() const {
    return qobject_cast<CQuillmarDoc*>(CView::GetDocument());
}

void CQuillmarView::OnUpdate(CView* /*pSender*/, long /*lHint*/, void* /*pHint*/) {
    Refill();
}

QString CQuillmarView::BuildTitle(const CBodItem& bod) {
    QString strTitle = DisplayText(bod.m_strItem);
    if (!bod.IsLarge()) {
        strTitle.prepend(QStringLiteral("SBOD/"));
    }
    return strTitle + QLatin1Char('/') + DisplayText(bod.m_strMaterial) + QLatin1Char('/') +
           DisplayText(bod.m_strAmount) + QLatin1Char('/') + DisplayText(bod.m_strQuality);
}

QString CQuillmarView::FormatCount(std::int64_t nFilled, std::int64_t nNeeded) {
    return QString::number(nFilled) + QLatin1Char('/') + QString::number(nNeeded);
}

QString CQuillmarView::FormatTimeAdded(std::uint32_t timeAdded) {
    // The weekday, then the date and time as the locale writes them, as "%a %c" gave the
    // players who wrote these files; in the language the program speaks, from Qt's own locale
    // data, since the C library's may not be installed for it.
    const QLocale locale;
    const QString strTime = locale.timeFormat(QLocale::LongFormat);
    // The long time format ends in the time zone ("t"), which the date line never showed.
    QString strTimeNoZone;
    bool bQuoted = false;
    for (const QChar c : strTime) {
        bQuoted = c == QLatin1Char('\'') ? !bQuoted : bQuoted;
        if (bQuoted || c != QLatin1Char('t')) {
            strTimeNoZone += c;
        }
    }
    return locale.toString(QDateTime::fromSecsSinceEpoch(timeAdded),
                           QStringLiteral("ddd ") + locale.dateFormat(QLocale::ShortFormat) +
                               QLatin1Char(' ') + strTimeNoZone.trimmed());
}

void CQuillmarView::Refill() {
    m_bFilledOnce = true;
    m_nParts = 0;
    m_btnCancel->setEnabled(false);
    m_btnApply->setEnabled(false);

    const CQuillmarDoc* pDoc = GetDocument();
    m_pBod = pDoc != nullptr ? pDoc->m_pSelectedBod : nullptr;
    if (m_pBod == nullptr) {
        m_nMode = 0;
    } else if (m_pBod->IsLarge()) {
        m_nMode = 2;
        m_pBod->BuildPartsIfNeeded();
    } else {
        m_nMode = 1;
    }
    FillForm();
}

void CQuillmarView::FillForm() {
    HideParts();
    const bool bSmall = m_nMode == 1;
    m_staticAdjust->setVisible(bSmall);
    m_editAdjust->setVisible(bSmall);
    m_spinAdjust->setVisible(bSmall);
    m_editPrice->setEnabled(m_nMode != 0);
    m_editNotes->setEnabled(m_nMode != 0);
    m_btnEditDeed->setEnabled(m_nMode != 0 && GetDocument()->IsNotInShoppingList());

    ShowPoints();
    if (m_nMode == 0) {
        m_groupParts->setTitle(tr("No BOD Selected"));
        m_strCountText.clear();
        m_strNotesText.clear();
        m_strPriceText.clear();
        m_strDateText.clear();
        WriteControls();
        return;
    }

    m_groupParts->setTitle(EscapeMnemonic(BuildTitle(*m_pBod)));
    m_staticPoints->setText(PointsText::Describe(BodPoints::Of(*m_pBod), QStringLiteral("\n")));
    m_strPriceText = DisplayText(m_pBod->m_strPrice);
    m_strNotesText = NotesForEditing(m_pBod->m_strNotes);
    m_strDateText = FormatTimeAdded(m_pBod->m_timeAdded);
    // The count text shows as stored unless a large deed's parts give it.
    m_strCountText = DisplayText(m_pBod->m_strCount);
    if (bSmall) {
        m_nAdjustCount = TextUtil::Atoi(m_pBod->m_strCount);
        m_nAdjustMax = std::max<std::int32_t>(0, TextUtil::Atoi(m_pBod->m_strAmount));
        WriteControls();
    } else {
        FillLargeParts();
    }
}

void CQuillmarView::ShowPoints() {
    // A deed the shopping list still needs is not the player's to turn in.
    const CQuillmarDoc* pDoc = GetDocument();
    const bool bHeld = m_pBod != nullptr && pDoc != nullptr &&
                       (!pDoc->m_bShoppingList || ShoppingList::IsHeld(*m_pBod));
    m_staticPoints->setVisible(bHeld && PointsText::AreShown());
}

void CQuillmarView::FillLargeParts() {
    // A large deed without a part list (incomplete, or unknown to the catalogue) has no boxes;
    // its stored count text stays on show and Apply leaves it alone.
    if (m_pBod->IsValid() && m_pBod->GetPartCount() > 0) {
        m_nParts = m_pBod->GetPartCount();
        m_nPartAmount = TextUtil::Atoi(m_pBod->m_strAmount);
        m_nNeeded = static_cast<std::int64_t>(m_nParts) * m_nPartAmount;
        int nFilled = 0;
        for (int i = 0; i < m_nParts; ++i) {
            const CBodItemDetail* pPart = m_pBod->GetPart(i);
            if (pPart->IsFilled()) {
                ++nFilled;
            }
            if (i < kPartBoxes) {
                QCheckBox* pBox = m_checkPart[static_cast<std::size_t>(i)];
                pBox->setText(EscapeMnemonic(DisplayText(pPart->m_strName)));
                m_bPart[static_cast<std::size_t>(i)] = pPart->IsFilled();
                pBox->show();
            }
        }
        m_strCountText = FormatCount(static_cast<std::int64_t>(nFilled) * m_nPartAmount, m_nNeeded);
    }
    WriteControls();
}

void CQuillmarView::HideParts() {
    for (QCheckBox* pBox : m_checkPart) {
        pBox->hide();
    }
    m_bPart.fill(false);
}

void CQuillmarView::RecountParts() {
    ReadControls();
    const int nBoxes = std::min(m_nParts, kPartBoxes);
    const auto nTicked = std::count(m_bPart.begin(), m_bPart.begin() + nBoxes, true);
    const std::int64_t nSet = nTicked + CountFilledPartsWithoutBox();
    m_strCountText = FormatCount(nSet * m_nPartAmount, m_nNeeded);
    WriteControls();
}

int CQuillmarView::CountFilledPartsWithoutBox() const {
    int nFilled = 0;
    for (int i = kPartBoxes; i < m_nParts; ++i) {
        if (m_pBod->GetPart(i)->IsFilled()) {
            ++nFilled;
        }
    }
    return nFilled;
}

void CQuillmarView::StoreParts(CBodItem& bod) const {
    const int nBoxes = std::min(m_nParts, kPartBoxes);
    for (int i = 0; i < nBoxes; ++i) {
        bod.GetPart(i)->m_bFilled = m_bPart[static_cast<std::size_t>(i)] ? 1 : 0;
    }
}

void CQuillmarView::EnableApply(bool bEnable) {
    if (!m_bFilledOnce) {
        return;
    }
    m_btnApply->setEnabled(bEnable);
    m_btnCancel->setEnabled(bEnable);
}

void CQuillmarView::WriteControls() {
    m_bWritingControls = true;
    for (int i = 0; i < kPartBoxes; ++i) {
        m_checkPart[static_cast<std::size_t>(i)]->setChecked(m_bPart[static_cast<std::size_t>(i)]);
    }
    m_staticCount->setText(m_strCountText);
    m_editNotes->setPlainText(m_strNotesText);
    m_editNotes->document()->setModified(false);
    m_editPrice->setText(m_strPriceText);
    m_staticDate->setText(m_strDateText);
    m_editAdjust->setText(QString::number(m_nAdjustCount));
    m_bWritingControls = false;
}

void CQuillmarView::ReadControls() {
    for (int i = 0; i < kPartBoxes; ++i) {
        m_bPart[static_cast<std::size_t>(i)] =
            m_checkPart[static_cast<std::size_t>(i)]->isChecked();
    }
    m_strNotesText = m_editNotes->toPlainText();
    m_strPriceText = m_editPrice->text();
}

bool CQuillmarView::ReadAdjustCount() {
    bool bOk = false;
    const int nValue = m_editAdjust->text().trimmed().toInt(&bOk, 10);
    if (!bOk) {
        AppPrompt().MessageBox(this, tr("Please enter an integer."), IPrompt::Icon::Exclamation,
                               IPrompt::Buttons::Ok);
        m_editAdjust->setFocus(Qt::OtherFocusReason);
        m_editAdjust->selectAll();
        return false;
    }
    m_nAdjustCount = nValue;
    return true;
}

void CQuillmarView::StepAdjust(int nDelta) {
    const std::int64_t nCurrent = TextUtil::Atoi(m_editAdjust->text().toStdString());
    const std::int64_t nTarget = std::clamp<std::int64_t>(nCurrent + nDelta, 0, m_nAdjustMax);
    // The arrows stop at the ends of the range; they never move against their direction, so a
    // typed number beyond the range stays until the user steps towards the range.
    if (nDelta > 0 ? nTarget <= nCurrent : nTarget >= nCurrent) {
        return;
    }
    m_editAdjust->setText(QString::number(nTarget));
}

bool CQuillmarView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_editAdjust && pEvent->type() == QEvent::KeyPress) {
        const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
        if (nKey == Qt::Key_Up || nKey == Qt::Key_Down) {
            StepAdjust(nKey == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QScrollArea::eventFilter(pWatched, pEvent);
}

void CQuillmarView::keyPressEvent(QKeyEvent* pEvent) {
    // The form is no dialog, so Enter presses the default button by hand, wherever the focus is;
    // Notes keeps its Enter for new lines and never lets it come here.
    if ((pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) &&
        (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (m_btnApply->isEnabled()) {
            m_btnApply->click();
        }
        pEvent->accept();
        return;
    }
    QScrollArea::keyPressEvent(pEvent);
}

void CQuillmarView::OnPartClicked() {
    EnableApply(true);
    RecountParts();
}

void CQuillmarView::OnEditChange() {
    if (!m_bWritingControls) {
        EnableApply(true);
    }
}

void CQuillmarView::OnApply() {
    CQuillmarDoc* pDoc = GetDocument();
    if (m_pBod == nullptr || pDoc == nullptr) {
        return;
    }
    ReadControls();
    // A box that holds no integer stops the whole Apply: writing the rest with a stale count
    // would store a count the user never saw.
    if (m_nMode == 1 && !ReadAdjustCount()) {
        return;
    }

    CBodItem edited(*m_pBod);
    if (m_nMode == 1) {
        edited.m_strCount = std::to_string(m_nAdjustCount) + '/' + edited.m_strAmount;
    } else if (m_nParts > 0) {
        edited.m_strCount = m_strCountText.toStdString();
    }
    // A text too long to show whole was shown cut: only the user's own change replaces it.
    if (m_strPriceText != DisplayText(edited.m_strPrice)) {
        edited.m_strPrice = m_strPriceText.toStdString();
    }
    // Notes the user left alone stay byte for byte as they were stored.
    if (m_editNotes->document()->isModified()) {
        edited.m_strNotes = NotesForStoring(*m_editNotes);
    }
    StoreParts(edited);
    pDoc->ApplyEdit(m_pBod, edited, this);
    EnableApply(false);
}

void CQuillmarView::OnCancel() {
    EnableApply(false);
    Refill();
}
