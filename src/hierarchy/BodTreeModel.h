#pragma once

#include "model/BodHierarchy.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <array>

// Shows a deed hierarchy to item views: one column, the node's label and image. The one
// top-level row is the hierarchy's root. Every change of the hierarchy reaches the views as the
// matching reset, insertion, removal or data change.
class CBodTreeModel final : public QAbstractItemModel, private CBodHierarchy::IListener {
    Q_OBJECT
public:
    // order must outlive the model.
    explicit CBodTreeModel(const CTextOrder& order, QObject* pParent = nullptr);
    ~CBodTreeModel() override;

    CBodHierarchy& Hierarchy() { return m_hierarchy; }
    const CBodHierarchy& Hierarchy() const { return m_hierarchy; }

    // The node of an index of this model; null for the invalid index.
    CBodNode* NodeFromIndex(const QModelIndex& index) const;
    QModelIndex IndexFromNode(const CBodNode* pNode) const;

    QModelIndex index(int nRow, int nColumn, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void BeginReset() override;
    void EndReset() override;
    void BeginInsert(const CBodNode& parent, int nRow) override;
    void EndInsert() override;
    void BeginRemove(const CBodNode& parent, int nRow) override;
    void EndRemove() override;
    void LabelChanged(const CBodNode& node) override;

    CBodHierarchy m_hierarchy;
    std::array<QIcon, CBodHierarchy::kImageCount> m_icons;
};
