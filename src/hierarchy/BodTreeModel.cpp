#include "hierarchy/BodTreeModel.h"

#include "framework/DisplayText.h"
#include "framework/Resources.h"

namespace {

// The hierarchy keeps the root's words in English, as bodtool prints them; every other label is
// the deeds' own text from the game and is shown as it is.
QString RootText(const std::string& strLabel) {
    return strLabel == CBodHierarchy::RootLabel(true) ? CBodTreeModel::tr("BOD's - Shopping List")
                                                      : CBodTreeModel::tr("BOD's - Full List");
}

} // namespace

CBodTreeModel::CBodTreeModel(const CTextOrder& order, QObject* pParent)
    : QAbstractItemModel(pParent), m_hierarchy(order) {
    InitQuillmarResources();
    for (int nImage = 0; nImage < CBodHierarchy::kImageCount; ++nImage) {
        m_icons[static_cast<std::size_t>(nImage)] =
            QIcon(QStringLiteral(":/tree/node%1.svg").arg(nImage, 2, 10, QLatin1Char('0')));
    }
    m_hierarchy.SetListener(this);
}

CBodTreeModel::~CBodTreeModel() {
    m_hierarchy.SetListener(nullptr);
}

CBodNode* CBodTreeModel::NodeFromIndex(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return nullptr;
    }
    return static_cast<CBodNode*>(index.internalPointer());
}

QModelIndex CBodTreeModel::IndexFromNode(const CBodNode* pNode) const {
    if (!pNode) {
        return {};
    }
    return createIndex(pNode->GetParent() ? pNode->GetRow() : 0, 0, pNode);
}

QModelIndex CBodTreeModel::index(int nRow, int nColumn, const QModelIndex& parent) const {
    if (nColumn != 0 || nRow < 0) {
        return {};
    }
    if (!parent.isValid()) {
        return nRow == 0 ? IndexFromNode(&m_hierarchy.GetRoot()) : QModelIndex();
    }
    const CBodNode* pParent = NodeFromIndex(parent);
    if (!pParent || parent.column() != 0 || nRow >= pParent->GetChildCount()) {
        return {};
    }
    return createIndex(nRow, 0, pParent->GetChild(nRow));
}

QModelIndex CBodTreeModel::parent(const QModelIndex& child) const {
    const CBodNode* pNode = NodeFromIndex(child);
    return pNode ? IndexFromNode(pNode->GetParent()) : QModelIndex();
}

int CBodTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return 1;
    }
    const CBodNode* pNode = NodeFromIndex(parent);
    return pNode && parent.column() == 0 ? pNode->GetChildCount() : 0;
}

int CBodTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool CBodTreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant CBodTreeModel::data(const QModelIndex& index, int nRole) const {
    const CBodNode* pNode = NodeFromIndex(index);
    if (!pNode) {
        return {};
    }
    switch (nRole) {
    case Qt::DisplayRole:
        return pNode == &m_hierarchy.GetRoot() ? RootText(pNode->GetLabel())
                                               : DisplayText(pNode->GetLabel());
    case Qt::DecorationRole:
        return m_icons[static_cast<std::size_t>(pNode->GetImage())];
    default:
        return {};
    }
}

Qt::ItemFlags CBodTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags itemFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (NodeFromIndex(index)->GetBod()) {
        itemFlags |= Qt::ItemNeverHasChildren;
    }
    return itemFlags;
}

void CBodTreeModel::BeginReset() {
    beginResetModel();
}

void CBodTreeModel::EndReset() {
    endResetModel();
}

void CBodTreeModel::BeginInsert(const CBodNode& parent, int nRow) {
    beginInsertRows(IndexFromNode(&parent), nRow, nRow);
}

void CBodTreeModel::EndInsert() {
    endInsertRows();
}

void CBodTreeModel::BeginRemove(const CBodNode& parent, int nRow) {
    beginRemoveRows(IndexFromNode(&parent), nRow, nRow);
}

void CBodTreeModel::EndRemove() {
    endRemoveRows();
}

void CBodTreeModel::LabelChanged(const CBodNode& node) {
    const QModelIndex index = IndexFromNode(&node);
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole});
}
