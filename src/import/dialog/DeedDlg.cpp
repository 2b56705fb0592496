#include "import/dialog/DeedDlg.h"

#include "framework/DisplayText.h"
#include "framework/Prompt.h"
#include "model/CraftItems.h"
#include "widgets/NotesText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextDocument>

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Std(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

CDeedDlg::CDeedDlg(const CBodItem* pEdited, QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(pEdited ? tr("Edit Deed") : tr("New Deed"));
    CreateControls();
    if (pEdited) {
        Prefill(*pEdited);
    } else {
        OnCraftOrSizeChanged();
    }
}

CDeedDlg::~CDeedDlg() = default;

void CDeedDlg::CreateControls() {
    auto* pForm = new QFormLayout;
    AddDeedRows(*pForm);
    AddPlayerRows(*pForm);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pButtons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CDeedDlg::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CDeedDlg::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(pButtons);
    NameControls(*pForm);
    connect(m_comboCraft, &QComboBox::currentIndexChanged, this, &CDeedDlg::OnCraftOrSizeChanged);
    connect(m_radioLarge, &QRadioButton::toggled, this, &CDeedDlg::OnCraftOrSizeChanged);
    connect(m_listItems, &QListWidget::currentRowChanged, this, &CDeedDlg::OnItemChanged);
    connect(m_comboAmount, &QComboBox::currentIndexChanged, this, &CDeedDlg::OnAmountChanged);
}

void CDeedDlg::AddDeedRows(QFormLayout& form) {
    m_comboCraft = new QComboBox(this);
    for (const std::string_view trade : DeedEntry::Trades()) {
        m_comboCraft->addItem(Text(trade));
    }
    form.addRow(tr("&Craft:"), m_comboCraft);

    m_radioSmall = new QRadioButton(tr("&Small"), this);
    m_radioLarge = new QRadioButton(tr("&Large"), this);
    m_radioSmall->setChecked(true);
    auto* pSize = new QHBoxLayout;
    pSize->addWidget(m_radioSmall);
    pSize->addWidget(m_radioLarge);
    pSize->addStretch();
    form.addRow(tr("Size:"), pSize);

    // Typing a name's first letters moves to it: the lists run to a hundred names and more.
    m_listItems = new QListWidget(this);
    m_listItems->setMinimumHeight(160);
    m_labelItem = new QLabel(this);
    m_labelItem->setBuddy(m_listItems);
    form.addRow(m_labelItem, m_listItems);

    m_comboGem = new QComboBox(this);
    for (const std::string_view gem : CraftItems::Gems()) {
        m_comboGem->addItem(Text(gem));
    }
    form.addRow(tr("&Gem:"), m_comboGem);
    m_comboMaterial = new QComboBox(this);
    form.addRow(tr("&Material:"), m_comboMaterial);
    m_comboAmount = new QComboBox(this);
    m_comboAmount->addItems({QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20")});
    m_comboAmount->setCurrentIndex(2);
    form.addRow(tr("&Amount:"), m_comboAmount);
    m_checkExceptional = new QCheckBox(tr("E&xceptional"), this);
    form.addRow(QString(), m_checkExceptional);
}

void CDeedDlg::AddPlayerRows(QFormLayout& form) {
    m_spinMade = new QSpinBox(this);
    form.addRow(tr("Ma&de so far:"), m_spinMade);
    m_editPrice = new QLineEdit(this);
    form.addRow(tr("&Price:"), m_editPrice);
    m_editNotes = new QPlainTextEdit(this);
    m_editNotes->setTabChangesFocus(true);
    m_editNotes->setFixedHeight(m_editNotes->fontMetrics().lineSpacing() * 3 + 12);
    form.addRow(tr("&Notes:"), m_editNotes);
}

void CDeedDlg::NameControls(const QFormLayout& form) {
    for (QWidget* pWidget : std::initializer_list<QWidget*>{
             m_comboCraft, m_radioSmall, m_radioLarge, m_listItems, m_comboGem, m_comboMaterial,
             m_comboAmount, m_checkExceptional, m_spinMade, m_editPrice, m_editNotes}) {
        // Exceptional names itself; the item list is named when its label is set.
        auto* pLabel = qobject_cast<QLabel*>(form.labelForField(pWidget));
        if (pLabel != nullptr && pLabel->text().endsWith(QLatin1Char(':'))) {
            pWidget->setAccessibleName(pLabel->text().remove(QLatin1Char('&')).chopped(1));
        }
    }
    // Tests find the controls by these names.
    for (const auto& [pWidget, pszName] : std::initializer_list<std::pair<QWidget*, const char*>>{
             {m_comboCraft, "comboCraft"},
             {m_radioSmall, "radioSmall"},
             {m_radioLarge, "radioLarge"},
             {m_listItems, "listItems"},
             {m_comboGem, "comboGem"},
             {m_comboMaterial, "comboMaterial"},
             {m_comboAmount, "comboAmount"},
             {m_checkExceptional, "checkExceptional"},
             {m_spinMade, "spinMade"},
             {m_editPrice, "editPrice"},
             {m_editNotes, "editNotes"}}) {
        pWidget->setObjectName(QLatin1String(pszName));
    }
    m_radioSmall->setAccessibleName(tr("Small"));
    m_radioLarge->setAccessibleName(tr("Large"));
}

bool CDeedDlg::IsLarge() const {
    return m_radioLarge->isChecked();
}

void CDeedDlg::Prefill(const CBodItem& bod) {
    const DeedChoice choice = DeedEntry::ChoiceOf(bod);
    m_timeKept = bod.m_timeAdded;
    m_filledParts = choice.filledParts;
    m_nMadeBeyondParts = choice.bLarge ? choice.nMade : 0;
    {
        const QSignalBlocker blockCraft(m_comboCraft);
        const QSignalBlocker blockSize(m_radioLarge);
        m_comboCraft->setCurrentText(Text(choice.strTrade));
        (choice.bLarge ? m_radioLarge : m_radioSmall)->setChecked(true);
        m_comboAmount->setCurrentText(QString::number(choice.nAmount));
    }
    OnCraftOrSizeChanged();
    const QList<QListWidgetItem*> found =
        m_listItems->findItems(Text(choice.strItem), Qt::MatchFixedString);
    if (!found.isEmpty()) {
        m_listItems->setCurrentItem(found.front());
    } else if (!choice.strItem.empty()) {
        // A name the list does not spell so, as an older deed may have it, stays as it is.
        m_listItems->insertItem(0, Text(choice.strItem));
        m_listItems->setCurrentRow(0);
    }
    m_comboMaterial->setCurrentText(Text(choice.strMaterial));
    m_comboGem->setCurrentText(Text(choice.strGem));
    m_checkExceptional->setChecked(m_checkExceptional->isEnabled() && choice.bExceptional);
    if (!choice.bLarge) {
        m_spinMade->setValue(choice.nMade);
    }
    m_strPriceKept = bod.m_strPrice;
    m_strNotesKept = bod.m_strNotes;
    m_editPrice->setText(DisplayText(bod.m_strPrice));
    m_editNotes->setPlainText(NotesForEditing(bod.m_strNotes));
    m_editNotes->document()->setModified(false);
}

void CDeedDlg::OnCraftOrSizeChanged() {
    const std::string strTrade = Std(m_comboCraft->currentText());
    m_labelItem->setText(IsLarge() ? tr("S&et:") : tr("&Item:"));
    m_listItems->setAccessibleName(IsLarge() ? tr("Set") : tr("Item"));
    const std::vector<std::string_view> names =
        IsLarge() ? DeedEntry::Sets(strTrade) : DeedEntry::Items(strTrade);
    m_listItems->clear();
    for (const std::string_view name : names) {
        m_listItems->addItem(Text(name));
    }
    m_listItems->setCurrentRow(0);
    OnAmountChanged();
}

void CDeedDlg::OnItemChanged() {
    const std::string strTrade = Std(m_comboCraft->currentText());
    const std::string strItem =
        m_listItems->currentItem() ? Std(m_listItems->currentItem()->text()) : std::string();
    const QString strMaterial = m_comboMaterial->currentText();
    m_comboMaterial->clear();
    for (const std::string_view material : DeedEntry::Materials(strTrade, IsLarge(), strItem)) {
        m_comboMaterial->addItem(Text(material));
    }
    m_comboMaterial->setCurrentText(strMaterial);
    m_comboMaterial->setEnabled(m_comboMaterial->count() > 1);
    m_comboGem->setEnabled(DeedEntry::NeedsGem(strTrade, IsLarge(), strItem));
    const bool bExceptional = DeedEntry::CanBeExceptional(strTrade, IsLarge(), strItem);
    m_checkExceptional->setEnabled(bExceptional);
    if (!bExceptional) {
        m_checkExceptional->setChecked(false);
    }
    OnAmountChanged();
}

// A large deed's progress is its filled parts, which the form sets one by one: here it is only
// shown, as made of all ("20/30").
void CDeedDlg::OnAmountChanged() {
    if (IsLarge()) {
        if (m_spinMade->isEnabled()) {
            m_nSmallMade = m_spinMade->value();
        }
        const auto [nMade, nTotal] = DeedEntry::LargeProgress(Choice());
        m_spinMade->setEnabled(false);
        m_spinMade->setRange(nMade, nMade);
        m_spinMade->setSuffix(QStringLiteral("/%1").arg(nTotal));
        return;
    }
    m_spinMade->setSuffix(QString());
    m_spinMade->setRange(0, m_comboAmount->currentText().toInt());
    if (!m_spinMade->isEnabled()) {
        m_spinMade->setValue(m_nSmallMade);
    }
    m_spinMade->setEnabled(true);
}

DeedChoice CDeedDlg::Choice() const {
    DeedChoice choice;
    choice.strTrade = Std(m_comboCraft->currentText());
    choice.bLarge = IsLarge();
    choice.strItem =
        m_listItems->currentItem() ? Std(m_listItems->currentItem()->text()) : std::string();
    choice.strMaterial = Std(m_comboMaterial->currentText());
    choice.nAmount = m_comboAmount->currentText().toInt();
    choice.bExceptional = m_checkExceptional->isChecked();
    choice.nMade = choice.bLarge ? m_nMadeBeyondParts : m_spinMade->value();
    choice.filledParts = m_filledParts;
    choice.strGem = m_comboGem->isEnabled() ? Std(m_comboGem->currentText()) : std::string();
    return choice;
}

void CDeedDlg::accept() {
    const DeedChoice choice = Choice();
    if (const std::string strWrong = DeedEntry::Make(choice, m_pDeed); !strWrong.empty()) {
        AppPrompt().MessageBox(this, tr("This deed cannot be made: %1.").arg(Text(strWrong)),
                               IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
        return;
    }
    if (m_timeKept != 0) {
        m_pDeed->m_timeAdded = m_timeKept;
    }
    // Texts too long to show whole are kept as they were unless the player typed over them.
    m_pDeed->SetPrice(m_editPrice->isModified() ? Std(m_editPrice->text()) : m_strPriceKept);
    m_pDeed->SetNotes(m_editNotes->document()->isModified() ? NotesForStoring(*m_editNotes)
                                                            : m_strNotesKept);
    QDialog::accept();
}

std::unique_ptr<CBodItem> CDeedDlg::TakeDeed() {
    return std::move(m_pDeed);
}
