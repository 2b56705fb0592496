#include "views/QuillmarView.h"

#include "framework/DisplayText.h"
#include "framework/Prompt.h"
#include "model/BodItem.h"
#include "model/DeedCombining.h"
#include "model/ShoppingList.h"
#include "model/TextUtil.h"
#include "views/DeedSelection.h"
#include "views/PointsText.h"
#include "widgets/NotesText.h"

#include <QAction>
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
    BuildCountRow(*pGrid);
    BuildTextRows(*pGrid);
    BuildPartBoxes(*pGrid);
    BuildButtons(*pGrid);
    pGrid->setColumnStretch(3, 1);
    pGrid->setRowStretch(6, 1);
    SetTabOrder();
    ConnectControls();

    setWidget(pForm);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

void CQuillmarView::BuildCountRow(QGridLayout& grid) {
    grid.addWidget(new QLabel(tr("Count:"), m_groupParts), 0, 0);
    m_staticCount = MakePlainLabel(m_groupParts);
    m_staticCount->setObjectName(QStringLiteral("staticCount"));
    m_staticCount->setMinimumWidth(m_staticCount->fontMetrics().horizontalAdvance("9999/9999"));
    grid.addWidget(m_staticCount, 0, 1);

    m_staticAdjust = new QLabel(tr("Adjust Count:"), m_groupParts);
    KeepPlaceWhenHidden(m_staticAdjust);
    grid.addWidget(m_staticAdjust, 0, 2);

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
    grid.addLayout(pAdjustLayout, 0, 3);
}

void CQuillmarView::BuildTextRows(QGridLayout& grid) {
    grid.addWidget(new QLabel(tr("Date:"), m_groupParts), 1, 0);
    m_staticDate = MakePlainLabel(m_groupParts);
    m_staticDate->setObjectName(QStringLiteral("staticDate"));
    grid.addWidget(m_staticDate, 1, 1, 1, 3);

    // The labels are the edits' buddies, so a screen reader names the edits by them rather
    // than by the group's title, which is the selected deed's.
    auto* pPriceLabel = new QLabel(tr("Price:"), m_groupParts);
    grid.addWidget(pPriceLabel, 2, 0);
    m_editPrice = new QLineEdit(m_groupParts);
    m_editPrice->setObjectName(QStringLiteral("editPrice"));
    pPriceLabel->setBuddy(m_editPrice);
    grid.addWidget(m_editPrice, 2, 1, 1, 3);

    auto* pNotesLabel = new QLabel(tr("Notes:"), m_groupParts);
    grid.addWidget(pNotesLabel, 3, 0);
    m_editNotes = new QPlainTextEdit(m_groupParts);
    m_editNotes->setObjectName(QStringLiteral("editNotes"));
    pNotesLabel->setBuddy(m_editNotes);
    m_editNotes->setTabChangesFocus(true);
    m_editNotes->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editNotes->setFixedHeight(m_editNotes->fontMetrics().lineSpacing() * 4 + 12);
    grid.addWidget(m_editNotes, 4, 0, 1, 4);
}

void CQuillmarView::BuildPartBoxes(QGridLayout& grid) {
    // The part boxes stand close together, as a list, so six of them fit under the notes.
    auto* pPartsLayout = new QVBoxLayout;
    pPartsLayout->setSpacing(0);
    grid.addLayout(pPartsLayout, 5, 0, 1, 4);
    for (int i = 0; i < kPartBoxes; ++i) {
        auto* pBox = new QCheckBox(m_groupParts);
        pBox->setObjectName(QStringLiteral("checkPart%1").arg(i + 1));
        pBox->hide();
        KeepPlaceWhenHidden(pBox);
        pPartsLayout->addWidget(pBox);
        m_checkPart[static_cast<std::size_t>(i)] = pBox;
    }
}

void CQuillmarView::BuildButtons(QGridLayout& grid) {
    m_btnApply = new QPushButton(tr("&Apply"), m_groupParts);
    m_btnCancel = new QPushButton(tr("&Cancel"), m_groupParts);
    m_btnApply->setObjectName(QStringLiteral("btnApply"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnApply->setDefault(true);
    m_btnApply->setEnabled(false);
    m_btnCancel->setEnabled(false);
    grid.addWidget(m_btnApply, 0, 4);
    grid.addWidget(m_btnCancel, 1, 4);
    // The deed's worth, on two short lines under the buttons: the one place of the count's
    // side of the form with room to spare, so the form keeps its first-run size.
    m_staticPoints = MakePlainLabel(m_groupParts);
    m_staticPoints->setObjectName(QStringLiteral("staticPoints"));
    m_staticPoints->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid.addWidget(m_staticPoints, 2, 4, 2, 1);
    // The window's Edit Deed command, once the window hands it over.
    m_btnEditDeed = new QPushButton(m_groupParts);
    m_btnEditDeed->setObjectName(QStringLiteral("btnEditDeed"));
    m_btnEditDeed->hide();
    KeepPlaceWhenHidden(m_btnEditDeed);
    grid.addWidget(m_btnEditDeed, 4, 4);
}

void CQuillmarView::SetTabOrder() {
    QWidget* pPrevious = m_editAdjust;
    for (QWidget* pNext :
         std::initializer_list<QWidget*>{m_editPrice, m_editNotes, m_checkPart[0], m_checkPart[1],
                                         m_checkPart[2], m_checkPart[3], m_checkPart[4],
                                         m_checkPart[5], m_btnApply, m_btnCancel, m_btnEditDeed}) {
        setTabOrder(pPrevious, pNext);
        pPrevious = pNext;
    }
}

void CQuillmarView::ConnectControls() {
    for (QCheckBox* pBox : m_checkPart) {
        connect(pBox, &QCheckBox::clicked, this, &CQuillmarView::OnPartClicked);
    }
    connect(m_editAdjust, &QLineEdit::textChanged, this, &CQuillmarView::OnEditChange);
    connect(m_editPrice, &QLineEdit::textChanged, this, &CQuillmarView::OnEditChange);
    connect(m_editNotes, &QPlainTextEdit::textChanged, this, &CQuillmarView::OnEditChange);
    connect(m_btnAdjustUp, &QToolButton::clicked, this, [this] { StepAdjust(1); });
    connect(m_btnAdjustDown, &QToolButton::clicked, this, [this] { StepAdjust(-1); });
    connect(m_btnApply, &QPushButton::clicked, this, &CQuillmarView::OnApply);
    connect(m_btnCancel, &QPushButton::clicked, this, &CQuillmarView::OnCancel);
}

void CQuillmarView::SetSelection(CDeedSelection& selection) {
    m_pSelection = &selection;
    connect(&selection, &CDeedSelection::Changed, this, &CQuillmarView::Refill);
    selection.SetLeaveCheck([this](CDeedSelection::Leave leave) { return SettleEdits(leave); });
}

void CQuillmarView::SetEditDeedCommand(QAction& command) {
    // The button is the command: its words, its state, and a click runs it as the menu does.
    const auto follow = [this, &command] {
        m_btnEditDeed->setText(command.text());
        m_btnEditDeed->setStatusTip(command.statusTip());
        m_btnEditDeed->setEnabled(command.isEnabled());
    };
    follow();
    connect(&command, &QAction::changed, m_btnEditDeed, follow);
    connect(m_btnEditDeed, &QPushButton::clicked, &command, &QAction::trigger);
    m_btnEditDeed->show();
}

CQuillmarDoc* CQuillmarView::GetDocument() const {
    return qobject_cast<CQuillmarDoc*>(CView::GetDocument());
}

void CQuillmarView::OnUpdate(CView* /*pSender*/, long /*lHint*/, const void* /*pHint*/) {
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

    // Only a deed the document still shows: the selection may name one a change just took out.
    const CQuillmarDoc* pDoc = GetDocument();
    m_pBod = m_pSelection != nullptr ? m_pSelection->Get() : nullptr;
    if (pDoc == nullptr || FindBodIndex(pDoc->GetBods(), m_pBod) < 0) {
        m_pBod = nullptr;
    }
    m_mode = Mode::None;
    if (m_pBod != nullptr) {
        // A copy: a large deed read without its parts gets them for the form, not in the
        // document, until Apply writes them.
        m_shown = *m_pBod;
        m_shown.BuildPartsIfNeeded();
        m_mode = m_shown.IsLarge() ? Mode::Large : Mode::Small;
    }
    FillForm();
}

void CQuillmarView::FillForm() {
    HideParts();
    const bool bSmall = m_mode == Mode::Small;
    m_staticAdjust->setVisible(bSmall);
    m_editAdjust->setVisible(bSmall);
    m_spinAdjust->setVisible(bSmall);
    m_editPrice->setEnabled(m_mode != Mode::None);
    m_editNotes->setEnabled(m_mode != Mode::None);

    ShowPoints();
    if (m_mode == Mode::None) {
        m_groupParts->setTitle(tr("No BOD Selected"));
        m_strCountText.clear();
        m_strNotesText.clear();
        m_strPriceText.clear();
        m_strDateText.clear();
        WriteControls();
        return;
    }

    m_groupParts->setTitle(EscapeMnemonic(BuildTitle(m_shown)));
    m_staticPoints->setText(PointsText::Describe(BodPoints::Of(m_shown), QStringLiteral("\n")));
    m_strPriceText = DisplayText(m_shown.m_strPrice);
    m_strNotesText = NotesForEditing(m_shown.m_strNotes);
    m_strDateText = FormatTimeAdded(m_shown.m_timeAdded);
    // The count text shows as stored unless a large deed's parts give it.
    m_strCountText = DisplayText(m_shown.m_strCount);
    if (bSmall) {
        m_nAdjustCount = TextUtil::Atoi(m_shown.m_strCount);
        m_nAdjustMax = std::max<std::int32_t>(0, TextUtil::Atoi(m_shown.m_strAmount));
        WriteControls();
    } else {
        FillLargeParts();
    }
}

void CQuillmarView::ShowPoints() {
    // A deed the shopping list still needs is not the player's to turn in.
    const CQuillmarDoc* pDoc = GetDocument();
    const bool bHeld = m_mode != Mode::None && pDoc != nullptr &&
                       (!pDoc->IsShoppingList() || ShoppingList::IsHeld(m_shown));
    m_staticPoints->setVisible(bHeld && PointsText::AreShown());
}

void CQuillmarView::FillLargeParts() {
    // A large deed without a part list (incomplete, or unknown to the catalogue) has no boxes;
    // its stored count text stays on show and Apply leaves it alone. So does the count of one
    // whose boxes the player has not touched: it may hold progress made before its parts were
    // known.
    if (m_shown.IsValid()) {
        m_nParts = m_shown.GetPartCount();
        for (int i = 0; i < std::min(m_nParts, kPartBoxes); ++i) {
            const CBodItemDetail* pPart = m_shown.GetPart(i);
            QCheckBox* pBox = m_checkPart[static_cast<std::size_t>(i)];
            pBox->setText(EscapeMnemonic(DisplayText(pPart->m_strName)));
            m_bPart[static_cast<std::size_t>(i)] = pPart->IsFilled();
            pBox->show();
        }
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
    CBodItem edited(m_shown);
    StoreParts(edited);
    m_strCountText = DisplayText(DeedCombining::RecountLarge(m_shown, edited));
    WriteControls();
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

bool CQuillmarView::OnApply() {
    CQuillmarDoc* pDoc = GetDocument();
    if (m_pBod == nullptr || pDoc == nullptr) {
        return false;
    }
    ReadControls();
    // A box that holds no integer stops the whole Apply: writing the rest with a stale count
    // would store a count the user never saw.
    if (m_mode == Mode::Small && !ReadAdjustCount()) {
        return false;
    }

    CBodItem edited(m_shown);
    StoreParts(edited);
    // A large deed's count changes only with its parts.
    edited.m_strCount = m_mode == Mode::Small
                            ? std::to_string(m_nAdjustCount) + '/' + edited.m_strAmount
                            : DeedCombining::RecountLarge(m_shown, edited);
    // A text too long to show whole was shown cut: only the user's own change replaces it.
    if (m_strPriceText != DisplayText(edited.m_strPrice)) {
        edited.m_strPrice = m_strPriceText.toStdString();
    }
    // Notes the user left alone stay byte for byte as they were stored.
    if (m_editNotes->document()->isModified()) {
        edited.m_strNotes = NotesForStoring(*m_editNotes);
    }
    pDoc->ApplyEdit(m_pBod, edited, this);
    EnableApply(false);
    return true;
}

void CQuillmarView::OnCancel() {
    EnableApply(false);
    Refill();
}

bool CQuillmarView::SettleEdits(CDeedSelection::Leave leave) {
    if (!m_btnApply->isEnabled()) {
        return true;
    }
    using Leave = CDeedSelection::Leave;
    const QString strItem = DisplayText(m_shown.m_strItem);
    if (leave == Leave::DropOrStay) {
        // Dropping loses what was typed: Enter keeps it.
        const bool bDrop =
            AppPrompt().MessageBox(
                this,
                tr("The changes to %1 are not applied yet and will be lost. Go on?").arg(strItem),
                IPrompt::Icon::Question, IPrompt::Buttons::YesNo,
                IPrompt::Answer::No) == IPrompt::Answer::Yes;
        if (bDrop) {
            OnCancel();
        }
        return bDrop;
    }
    const IPrompt::Answer answer = AppPrompt().MessageBox(
        this, tr("The changes to %1 are not applied yet. Apply them?").arg(strItem),
        IPrompt::Icon::Question,
        leave == Leave::ApplyOrDrop ? IPrompt::Buttons::YesNo : IPrompt::Buttons::YesNoCancel);
    if (answer == IPrompt::Answer::Yes && OnApply()) {
        return true;
    }
    // A failed Apply has told why and keeps the edits, where the user may stay.
    if (answer == IPrompt::Answer::No || leave == Leave::ApplyOrDrop) {
        OnCancel();
        return true;
    }
    return false;
}
