#include "views/FilterBar.h"

#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

QComboBox* CreateChoice(const QString& strName, const QString& strAny, QWidget* pParent) {
    auto* pCombo = new QComboBox(pParent);
    pCombo->setObjectName(strName);
    pCombo->setAccessibleName(strName);
    pCombo->addItem(strAny);
    // The tree pane is narrow: the four choices share its width instead of widening it.
    pCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pCombo->setMinimumContentsLength(4);
    return pCombo;
}

// The chosen value, none for the first entry ("any ...").
std::optional<std::string> Chosen(const QComboBox& combo) {
    if (combo.currentIndex() <= 0) {
        return std::nullopt;
    }
    return combo.currentData().toString().toStdString();
}

// The values in the order the tree sorts its labels: the user's, letter case aside.
void FillChoice(QComboBox& combo, const std::unordered_set<std::string_view>& values) {
    const std::optional<std::string> chosen = Chosen(combo);
    QStringList offered;
    for (const std::string_view value : values) {
        offered << QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    }
    if (chosen && !values.contains(*chosen)) {
        offered << QString::fromStdString(*chosen);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(offered.begin(), offered.end(), collator);
    const QSignalBlocker blocker(combo);
    while (combo.count() > 1) {
        combo.removeItem(1);
    }
    for (const QString& strValue : offered) {
        combo.addItem(strValue.isEmpty() ? CFilterBar::tr("(empty)") : strValue, strValue);
        if (chosen && strValue.toStdString() == *chosen) {
            combo.setCurrentIndex(combo.count() - 1);
        }
    }
}

} // namespace

CFilterBar::CFilterBar(QWidget* pParent) : QWidget(pParent) {
    setObjectName(QStringLiteral("FilterBar"));
    m_editText = new QLineEdit(this);
    m_editText->setObjectName(QStringLiteral("Find"));
    m_editText->setAccessibleName(tr("Find"));
    m_editText->setPlaceholderText(tr("Find: item, material, notes..."));
    m_editText->setClearButtonEnabled(true);
    m_labelCount = new QLabel(this);
    m_labelCount->setObjectName(QStringLiteral("FilterCount"));
    m_btnClose = new QToolButton(this);
    m_btnClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_btnClose->setAutoRaise(true);
    m_btnClose->setAccessibleName(tr("Close filter"));
    m_btnClose->setToolTip(tr("Show every BOD again (Esc)"));

    m_comboTrade = CreateChoice(tr("Trade"), tr("Any trade"), this);
    m_comboSize = CreateChoice(tr("Size"), tr("Any size"), this);
    m_comboSize->addItem(tr("Large"), static_cast<int>(CBodFilter::Size::Large));
    m_comboSize->addItem(tr("Small"), static_cast<int>(CBodFilter::Size::Small));
    m_comboSize->addItem(tr("Large, ready to turn in"),
                         static_cast<int>(CBodFilter::Size::ReadyToTurnIn));
    m_comboQuality = CreateChoice(tr("Quality"), tr("Any quality"), this);
    m_comboMaterial = CreateChoice(tr("Material"), tr("Any material"), this);

    auto* pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(2, 2, 2, 2);
    pLayout->setSpacing(2);
    auto* pTextRow = new QHBoxLayout;
    pTextRow->addWidget(m_editText, 1);
    pTextRow->addWidget(m_labelCount);
    pTextRow->addWidget(m_btnClose);
    pLayout->addLayout(pTextRow, 0, 0, 1, 2);
    pLayout->addWidget(m_comboTrade, 1, 0);
    pLayout->addWidget(m_comboSize, 1, 1);
    pLayout->addWidget(m_comboQuality, 2, 0);
    pLayout->addWidget(m_comboMaterial, 2, 1);
    setTabOrder(m_editText, m_comboTrade);
    setTabOrder(m_comboTrade, m_comboSize);
    setTabOrder(m_comboSize, m_comboQuality);
    setTabOrder(m_comboQuality, m_comboMaterial);
    setTabOrder(m_comboMaterial, m_btnClose);

    connect(m_editText, &QLineEdit::textChanged, this, &CFilterBar::ReadControls);
    for (QComboBox* pCombo : Choices()) {
        connect(pCombo, &QComboBox::currentIndexChanged, this, &CFilterBar::ReadControls);
    }
    connect(m_btnClose, &QToolButton::clicked, this, &CFilterBar::ClearAndClose);
    hide();
}

std::array<QComboBox*, 4> CFilterBar::Choices() const {
    return {m_comboTrade, m_comboSize, m_comboQuality, m_comboMaterial};
}

void CFilterBar::keyPressEvent(QKeyEvent* pEvent) {
    // Escape reaches the bar from whichever control has the focus and did not want it; an open
    // list takes its own Escape and closes, and the bar never hears of it.
    if (pEvent->key() == Qt::Key_Escape && pEvent->modifiers() == Qt::NoModifier) {
        ClearAndClose();
        pEvent->accept();
        return;
    }
    QWidget::keyPressEvent(pEvent);
}

void CFilterBar::Open() {
    show();
    m_editText->setFocus(Qt::ShortcutFocusReason);
    m_editText->selectAll();
}

void CFilterBar::ClearAndClose() {
    // One change of the filter, not one a control.
    {
        const QSignalBlocker blocker(m_editText);
        m_editText->clear();
    }
    for (QComboBox* pCombo : Choices()) {
        const QSignalBlocker blocker(pCombo);
        pCombo->setCurrentIndex(0);
    }
    ReadControls();
    hide();
    Q_EMIT Closed();
}

void CFilterBar::SetChoices(CBodListView bods) {
    // Views into the deeds, which outlive this call.
    std::unordered_set<std::string_view> trades;
    std::unordered_set<std::string_view> qualities;
    std::unordered_set<std::string_view> materials;
    for (const CBodItem* pBod : bods) {
        if (pBod) {
            trades.insert(pBod->m_strTrade);
            qualities.insert(pBod->m_strQuality);
            materials.insert(pBod->m_strMaterial);
        }
    }
    FillChoice(*m_comboTrade, trades);
    FillChoice(*m_comboQuality, qualities);
    FillChoice(*m_comboMaterial, materials);
}

void CFilterBar::SetCounts(int nShown, int nTotal) {
    m_labelCount->setText(tr("%1 of %2 shown").arg(nShown).arg(nTotal));
}

void CFilterBar::ReadControls() {
    CBodFilter filter;
    filter.SetText(m_editText->text().toStdString());
    filter.SetTrade(Chosen(*m_comboTrade));
    filter.SetQuality(Chosen(*m_comboQuality));
    filter.SetMaterial(Chosen(*m_comboMaterial));
    // "Any size" carries no data, which reads as 0, the value of Size::Any.
    filter.SetSize(static_cast<CBodFilter::Size>(m_comboSize->currentData().toInt()));
    if (filter == m_filter) {
        return;
    }
    m_filter = std::move(filter);
    Q_EMIT FilterChanged();
}
