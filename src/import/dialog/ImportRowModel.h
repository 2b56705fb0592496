#pragma once

#include "model/BodArray.h"

#include <QAbstractListModel>
#include <QIcon>
#include <span>
#include <string_view>

class CImportSession;

// The Import dialog's rows as one "Items" column with a valid, invalid or already-there mark. Every
// change to the rows goes through here, so the list always matches the session. A row's text can be
// edited in place, but the edit is dropped: the deed was read from the pasted text, not from the
// edit.
class CImportRowModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CImportRowModel(CImportSession& session, QObject* pParent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void AddKnownDeeds(const CBodArray& bods);
    void Paste(std::string_view text);
    void ProcessSelected(std::span<const int> nRows);
    void ProcessAll();

private:
    CImportSession& m_session;
    QIcon m_iconValid;
    QIcon m_iconInvalid;
    QIcon m_iconDuplicate;
};
