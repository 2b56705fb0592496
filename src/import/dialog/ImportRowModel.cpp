#include "import/dialog/ImportRowModel.h"

#include "framework/DisplayText.h"
#include "import/ImportSession.h"

CImportRowModel::CImportRowModel(CImportSession& session, QObject* pParent)
    : QAbstractListModel(pParent), m_session(session),
      m_iconValid(QStringLiteral(":/import/valid.svg")),
      m_iconInvalid(QStringLiteral(":/import/invalid.svg")),
      m_iconDuplicate(QStringLiteral(":/import/duplicate.svg")) {}

int CImportRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_session.GetRows().size());
}

QVariant CImportRowModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const CImportRow& row = m_session.GetRows()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(row.Shown());
    case Qt::EditRole:
        return QString::fromStdString(row.Shown());
    case Qt::DecorationRole:
        if (row.m_bDuplicate) {
            return m_iconDuplicate;
        }
        return row.m_bValid ? m_iconValid : m_iconInvalid;
    case Qt::ToolTipRole: {
        // The whole of what was pasted, which the row may show cut or in short; a tooltip's
        // lines as they were.
        QString strText = DisplayText(row.m_strText);
        strText.replace(QStringLiteral(" / "), QStringLiteral("\n"));
        return row.m_bDuplicate ? tr("Already in this document") + QLatin1Char('\n') + strText
                                : strText;
    }
    default:
        return {};
    }
}

QVariant CImportRowModel::headerData(int nSection, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && nSection == 0 && role == Qt::DisplayRole) {
        return tr("Items");
    }
    return {};
}

Qt::ItemFlags CImportRowModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

// A paste or a process run can touch every row at once; one reset is cheaper for the view than
// thousands of row removals.
void CImportRowModel::AddKnownDeeds(const CBodArray& bods) {
    m_session.AddKnownDeeds(bods);
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole, Qt::ToolTipRole});
    }
}

void CImportRowModel::Paste(std::string_view text) {
    beginResetModel();
    m_session.Paste(text);
    endResetModel();
}

void CImportRowModel::ProcessSelected(std::span<const int> nRows) {
    beginResetModel();
    m_session.ProcessSelected(nRows);
    endResetModel();
}

void CImportRowModel::ProcessAll() {
    beginResetModel();
    m_session.ProcessAll();
    endResetModel();
}
