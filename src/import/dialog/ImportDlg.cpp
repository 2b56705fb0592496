#include "import/dialog/ImportDlg.h"

#include "framework/Prompt.h"
#include "framework/Resources.h"
#include "import/BodLineParser.h"
#include "import/dialog/ImportRowModel.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {

QLineEdit* CreateCounterEdit(QWidget* pParent, const QString& strName) {
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(strName);
    pEdit->setReadOnly(true);
    // Room for six digits in the dialog's font, so the boxes grow with the font.
    const QFontMetrics metrics(pEdit->font());
    pEdit->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("0000000")) +
                         2 * metrics.averageCharWidth());
    return pEdit;
}

// The label names its counter for a screen reader too.
QLabel* CreateCounterLabel(const QString& strText, QLineEdit* pCounter, QWidget* pParent) {
    auto* pLabel = new QLabel(strText, pParent);
    pLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pLabel->setBuddy(pCounter);
    return pLabel;
}

QPushButton* CreateButton(const QString& strText, const QString& strName, QWidget* pParent) {
    auto* pButton = new QPushButton(strText, pParent);
    pButton->setObjectName(strName);
    return pButton;
}

// Centres pWidget in a row that gives the sides 1/12 of the width each, as the dialog's
// middle frames sit inside the list's group.
QHBoxLayout* CenteredRow(QWidget* pWidget) {
    auto* pRow = new QHBoxLayout;
    pRow->addStretch(1);
    pRow->addWidget(pWidget, 10);
    pRow->addStretch(1);
    return pRow;
}

} // namespace

CImportDlg::CImportDlg(QWidget* pParent)
    : QDialog(pParent), m_session(m_order),
      m_pRowModel(std::make_unique<CImportRowModel>(m_session)) {
    InitQuillmarResources();
    CreateControls();

    connect(m_btnPaste, &QPushButton::clicked, this, &CImportDlg::OnPaste);
    connect(m_btnProcessSelected, &QPushButton::clicked, this, &CImportDlg::OnProcessSelected);
    connect(m_btnProcessAll, &QPushButton::clicked, this, &CImportDlg::OnProcessAll);
    connect(m_btnExit, &QPushButton::clicked, this, &CImportDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CImportDlg::reject);

    // The note edit keeps Ctrl+V for itself; everywhere else in the dialog it pastes rows.
    auto* pPasteShortcut = new QShortcut(QKeySequence::Paste, this);
    pPasteShortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pPasteShortcut, &QShortcut::activated, this, [this] {
        if (m_btnPaste->isEnabled()) {
            OnPaste();
        }
    });

    // The buttons follow every event that can change their state, so they are never stale.
    connect(m_listItems->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CImportDlg::UpdateControls);
    connect(m_pRowModel.get(), &QAbstractItemModel::modelReset, this, &CImportDlg::UpdateControls);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CImportDlg::UpdateControls);
    UpdateControls();
}

CImportDlg::~CImportDlg() = default;

void CImportDlg::CreateControls() {
    setWindowTitle(tr("Import"));
    QGroupBox* pEntries = CreateEntries();
    QGroupBox* pCounters = CreateCounters();
    QGroupBox* pCommands = CreateCommands();
    QLayout* pEndRow = CreateEndButtons();
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pEntries, 1);
    pLayout->addLayout(CenteredRow(pCounters));
    pLayout->addLayout(CenteredRow(pCommands));
    pLayout->addLayout(pEndRow);

    const QList<QWidget*> tabOrder = {
        m_listItems,     m_editNote,    m_editTotal,    m_editAdded, m_editInvalid,
        m_radioAos,      m_radioPreAos, m_radioTooltip, m_btnPaste,  m_btnProcessSelected,
        m_btnProcessAll, m_btnExit,     m_btnCancel};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    // About the template's 382 x 317 dialog units at the dialog's font.
    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 382 / 4, metrics.height() * 317 / 8);
}

QGroupBox* CImportDlg::CreateEntries() {
    auto* pEntries = new QGroupBox(tr("Import Entries"), this);
    m_listItems = new QTreeView(pEntries);
    m_listItems->setObjectName(QStringLiteral("listItems"));
    m_listItems->setAccessibleName(pEntries->title());
    m_listItems->setModel(m_pRowModel.get());
    m_listItems->setRootIsDecorated(false);
    m_listItems->setItemsExpandable(false);
    m_listItems->setUniformRowHeights(true);
    m_listItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listItems->setEditTriggers(QAbstractItemView::SelectedClicked |
                                 QAbstractItemView::EditKeyPressed);
    m_listItems->setIconSize(QSize(16, 16));
    // Keeps a few rows in sight however large the font grows.
    m_listItems->setMinimumHeight(6 * std::max(m_listItems->fontMetrics().lineSpacing(), 20));
    m_listItems->header()->setSectionsClickable(false);
    m_listItems->header()->setSectionsMovable(false);
    // The rows chosen for processing stay visible while the user types the note.
    QPalette palette = m_listItems->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_listItems->setPalette(palette);

    auto* pNoteLabel = new QLabel(tr("Note for processed items:"), pEntries);
    m_editNote = new QPlainTextEdit(pEntries);
    m_editNote->setObjectName(QStringLiteral("editNote"));
    pNoteLabel->setBuddy(m_editNote);
    m_editNote->setTabChangesFocus(true);
    m_editNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editNote->setFixedHeight(4 * m_editNote->fontMetrics().lineSpacing());

    // Beside the note's label, where it takes no room from the controls.
    m_labelDuplicates = new QLabel(pEntries);
    m_labelDuplicates->setObjectName(QStringLiteral("labelDuplicates"));
    m_labelDuplicates->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* pNoteRow = new QHBoxLayout;
    pNoteRow->addWidget(pNoteLabel);
    pNoteRow->addStretch(1);
    pNoteRow->addWidget(m_labelDuplicates);

    auto* pEntriesLayout = new QVBoxLayout(pEntries);
    pEntriesLayout->addWidget(m_listItems, 1);
    pEntriesLayout->addLayout(pNoteRow);
    pEntriesLayout->addWidget(m_editNote);
    return pEntries;
}

QGroupBox* CImportDlg::CreateCounters() {
    auto* pCounters = new QGroupBox(this);
    m_editTotal = CreateCounterEdit(pCounters, QStringLiteral("editTotal"));
    m_editAdded = CreateCounterEdit(pCounters, QStringLiteral("editAdded"));
    m_editInvalid = CreateCounterEdit(pCounters, QStringLiteral("editInvalid"));
    auto* pCountersLayout = new QHBoxLayout(pCounters);
    pCountersLayout->addStretch(1);
    pCountersLayout->addWidget(
        CreateCounterLabel(tr("Total Items Pasted:"), m_editTotal, pCounters));
    pCountersLayout->addWidget(m_editTotal);
    pCountersLayout->addSpacing(fontMetrics().averageCharWidth() * 2);
    pCountersLayout->addWidget(CreateCounterLabel(tr("BOD's Added:"), m_editAdded, pCounters));
    pCountersLayout->addWidget(m_editAdded);
    pCountersLayout->addSpacing(fontMetrics().averageCharWidth() * 2);
    pCountersLayout->addWidget(
        CreateCounterLabel(tr("Invalid List Items:"), m_editInvalid, pCounters));
    pCountersLayout->addWidget(m_editInvalid);
    pCountersLayout->addStretch(1);
    return pCounters;
}

QGroupBox* CImportDlg::CreateCommands() {
    auto* pCommands = new QGroupBox(this);
    auto* pMode = new QGroupBox(tr("Paste Mode"), pCommands);
    m_radioAos = new QRadioButton(tr("AOS"), pMode);
    m_radioAos->setObjectName(QStringLiteral("radioAos"));
    m_radioPreAos = new QRadioButton(tr("Pre-AOS"), pMode);
    m_radioPreAos->setObjectName(QStringLiteral("radioPreAos"));
    // Today's clients copy a deed's tooltip, one deed per block of lines.
    m_radioTooltip = new QRadioButton(tr("Tooltip"), pMode);
    m_radioTooltip->setObjectName(QStringLiteral("radioTooltip"));
    m_radioAos->setChecked(true);
    auto* pModeLayout = new QVBoxLayout(pMode);
    pModeLayout->addWidget(m_radioAos);
    pModeLayout->addWidget(m_radioPreAos);
    pModeLayout->addWidget(m_radioTooltip);

    m_btnPaste = CreateButton(tr("&Paste"), QStringLiteral("btnPaste"), pCommands);
    m_btnProcessSelected =
        CreateButton(tr("Process &Selected"), QStringLiteral("btnProcessSelected"), pCommands);
    m_btnProcessAll = CreateButton(tr("Process &All"), QStringLiteral("btnProcessAll"), pCommands);
    auto* pCommandsLayout = new QHBoxLayout(pCommands);
    pCommandsLayout->addWidget(pMode);
    pCommandsLayout->addStretch(1);
    pCommandsLayout->addWidget(m_btnPaste);
    pCommandsLayout->addWidget(m_btnProcessSelected);
    pCommandsLayout->addWidget(m_btnProcessAll);
    pCommandsLayout->addStretch(1);
    return pCommands;
}

QLayout* CImportDlg::CreateEndButtons() {
    m_btnExit = CreateButton(tr("E&xit/Save"), QStringLiteral("btnExit"), this);
    m_btnCancel = CreateButton(tr("&Cancel Import"), QStringLiteral("btnCancel"), this);
    // Enter means E&xit/Save, as OK does in any dialog; it stays disabled, and Enter with it,
    // until something was processed.
    m_btnExit->setDefault(true);
    auto* pEndLayout = new QHBoxLayout;
    pEndLayout->addStretch(1);
    pEndLayout->addWidget(m_btnExit);
    pEndLayout->addWidget(m_btnCancel);
    pEndLayout->addStretch(1);
    return pEndLayout;
}

void CImportDlg::AddKnownDeeds(const CBodArray& bods) {
    m_pRowModel->AddKnownDeeds(bods);
    UpdateControls();
}

CBodArray CImportDlg::TakeProcessed() {
    return m_session.TakeProcessed();
}

void CImportDlg::reject() {
    m_session.Cancel();
    QDialog::reject();
}

void CImportDlg::OnPaste() {
    ReadControls();
    if (m_session.HasRows() &&
        AppPrompt().MessageBox(this,
                               tr("The list still contains items to process. Importing new\n"
                                  "data will clear these unprocessed items.\n"
                                  "Do you wish to continue?"),
                               IPrompt::Icon::Question,
                               IPrompt::Buttons::YesNo) != IPrompt::Answer::Yes) {
        return;
    }
    // The text's own bytes where the clipboard has them: Qt's decoding would turn the letters
    // of a Windows editor's code page into U+FFFD before the session could read them.
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    QByteArray bytes = pData != nullptr ? pData->data(QStringLiteral("text/plain")) : QByteArray();
    if (bytes.isEmpty()) {
        bytes = QGuiApplication::clipboard()->text().toUtf8();
    }
    m_pRowModel->Paste(bytes.toStdString());
    UpdateControls();
}

void CImportDlg::OnProcessSelected() {
    ReadControls();
    std::vector<int> nRows;
    for (const QModelIndex& index : m_listItems->selectionModel()->selectedRows()) {
        nRows.push_back(index.row());
    }
    std::sort(nRows.begin(), nRows.end());
    // Processed rows leave the list and the invalid ones are deselected, so the selection ends
    // empty, which the reset gives.
    m_pRowModel->ProcessSelected(nRows);
    UpdateControls();
}

void CImportDlg::OnProcessAll() {
    ReadControls();
    // Only the valid rows leave; the invalid rows that were selected stay selected. Their new
    // places follow from how many valid rows stood before them.
    const std::vector<CImportRow>& rows = m_session.GetRows();
    std::vector<bool> bSelected(rows.size(), false);
    for (const QModelIndex& index : m_listItems->selectionModel()->selectedRows()) {
        bSelected[static_cast<std::size_t>(index.row())] = true;
    }
    std::vector<int> nKeepSelected;
    int nNewRow = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].m_bValid) {
            if (bSelected[i]) {
                nKeepSelected.push_back(nNewRow);
            }
            ++nNewRow;
        }
    }

    m_pRowModel->ProcessAll();

    QItemSelection selection;
    for (std::size_t i = 0; i < nKeepSelected.size();) {
        std::size_t j = i + 1;
        while (j < nKeepSelected.size() && nKeepSelected[j] == nKeepSelected[j - 1] + 1) {
            ++j;
        }
        selection.select(m_pRowModel->index(nKeepSelected[i]),
                         m_pRowModel->index(nKeepSelected[j - 1]));
        i = j;
    }
    m_listItems->selectionModel()->select(selection, QItemSelectionModel::Select);
    UpdateControls();
}

void CImportDlg::ReadControls() {
    m_session.m_nPasteMode = m_radioTooltip->isChecked()  ? CBodLineParser::kPasteTooltip
                             : m_radioPreAos->isChecked() ? CBodLineParser::kPastePreAos
                                                          : CBodLineParser::kPasteAos;
    m_session.m_strNote = m_editNote->toPlainText().toStdString();
}

void CImportDlg::UpdateControls() {
    m_btnProcessSelected->setEnabled(m_listItems->selectionModel()->hasSelection());
    m_btnProcessAll->setEnabled(m_pRowModel->rowCount() > 0);
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    m_btnPaste->setEnabled(pData != nullptr && pData->hasText());
    m_btnExit->setEnabled(m_session.IsProcessed());
    m_editTotal->setText(QString::number(m_session.GetTotal()));
    m_editAdded->setText(QString::number(m_session.GetAdded()));
    m_editInvalid->setText(QString::number(m_session.GetInvalid()));
    const int nDuplicates = m_session.GetDuplicates();
    m_labelDuplicates->setText(nDuplicates > 0 ? tr("%1 already in this document").arg(nDuplicates)
                                               : QString());
}

// Pressing on any free part of the dialog and moving the mouse drags the whole dialog.
void CImportDlg::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(pEvent);
        return;
    }
    m_bDragging = true;
    m_ptDragOffset = pEvent->globalPosition().toPoint() - pos();
    pEvent->accept();
}

void CImportDlg::mouseMoveEvent(QMouseEvent* pEvent) {
    if (!m_bDragging || !(pEvent->buttons() & Qt::LeftButton)) {
        QDialog::mouseMoveEvent(pEvent);
        return;
    }
    move(pEvent->globalPosition().toPoint() - m_ptDragOffset);
    pEvent->accept();
}

void CImportDlg::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_bDragging = false;
    }
    QDialog::mouseReleaseEvent(pEvent);
}
