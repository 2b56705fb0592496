#pragma once

#include "framework/Document.h"
#include "model/BodArray.h"

#include <cstddef>
#include <cstdint>

// The *.bod document: the shown deed list that every view displays, the Shopping List mode,
// Auto Save and Import. Views read and write the shared fields directly and learn of changes
// through UpdateAllViews, always with hint 0; what changed is told by these fields.
class CQuillmarDoc : public CDocument {
    Q_OBJECT
public:
    CQuillmarDoc();
    ~CQuillmarDoc() override;

    void Serialize(CArchive& ar) override;
    bool OnNewDocument() override;
    void OnCloseDocument() override;

    // Appends pBod to the shown list; the document owns it from then on.
    void AddBodItem(std::unique_ptr<CBodItem> pBod);
    // After every change to the shown list or a deed in it; callers update the views after.
    void MarkChanged(bool bModified);

    // Commands.
    void OnShoppingList();
    void OnAutoSave();
    // Runs the Import dialog modally and takes over what it accepted.
    void OnImport();
    // The part of Import after the dialog: appends the deeds, marks the change, updates the
    // views and tells how many were imported. Returns that number.
    int ImportBods(CBodArray bods);

    // Command states.
    bool IsNotInShoppingList() const { return !m_bShoppingList; }

    void BuildShoppingList();

    int m_nBranchCount = 0;
    bool m_bUpdateSelectedOnly = false;
    bool m_bShoppingList = false;
    std::int32_t m_nReserved1 = 0;
    CBodItem* m_pSelectedBod = nullptr;
    std::int32_t m_nReserved2 = 0;
    CBodArray m_arrBods;
    CBodArray m_arrFullList;
    CBodArray m_arrShoppingList;
    bool m_bAutoSave = false;

protected:
    void ReloadDocument() override;

private:
    // Open parts the last shopping list left out: more than any large deed has.
    std::size_t m_nPartsLeftOut = 0;
};
