#pragma once

#include "framework/Document.h"
#include "model/BodArray.h"

#include <QUndoStack>
#include <cstddef>
#include <cstdint>
#include <memory>

class CView;

// The *.bod document: the shown deed list that every view displays, the Shopping List mode,
// Auto Save and Import. Every change to the deeds is one of its operations, each a command on
// its undo history; views only ask for them, and learn of changes through UpdateAllViews, always
// with hint 0: what changed is told by the shared fields (selection, relabel flag).
//
// Shopping List mode shows copies: changes to them are carried out but never recorded in the
// history, and the history of the real list waits, untouched, until the mode is left.
class CQuillmarDoc : public CDocument {
    Q_OBJECT
public:
    CQuillmarDoc();
    ~CQuillmarDoc() override;

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    bool OnNewDocument() override;
    void OnCloseDocument() override;

    // Appends pBod to the shown list; the document owns it from then on.
    void AddBodItem(std::unique_ptr<CBodItem> pBod);
    // After every change to the shown list or a deed in it; callers update the views after.
    void MarkChanged(bool bModified);

    // The operations on the deeds. pSender is the view that asked; it is not told of the change
    // and brings itself up to date. Each returns whether anything changed.
    //
    // Appends the non-null deeds, tells how many were imported and returns that number.
    int ImportDeeds(CBodArray bods);
    // Takes pBod out of the shown list; the selection is cleared when it was pBod.
    bool DeleteDeed(CBodItem* pBod, CView* pSender);
    // Gives pBod the fields of edited; only the selected deed's label changes in the tree.
    bool ApplyEdit(CBodItem* pBod, const CBodItem& edited, CView* pSender);
    // Appends pBod, made by New Deed, and selects it.
    bool NewDeed(std::unique_ptr<CBodItem> pBod);
    // Gives pBod the fields of remade, which may file it elsewhere: every view updates, and pBod
    // is selected.
    bool EditDeed(CBodItem* pBod, const CBodItem& remade);
    // Fills pLarge's part with pSmall, which leaves the list; pLarge becomes the selection.
    bool CombineIntoLarge(CBodItem* pSmall, CBodItem* pLarge, CView* pSender);

    QUndoStack& GetUndoStack() { return m_undoStack; }
    const QUndoStack& GetUndoStack() const { return m_undoStack; }
    bool CanUndo() const { return !m_bShoppingList && m_undoStack.canUndo(); }
    bool CanRedo() const { return !m_bShoppingList && m_undoStack.canRedo(); }

    // For the operations' commands: records a change as MarkChanged does, with the modified mark
    // that the history's saved state gives, then tells every view but pSender.
    enum class Step { Do, Undo, Redo };
    void ChangeDone(Step step, CView* pSender);

    // Commands.
    void OnShoppingList();
    void OnAutoSave();
    // Runs the Import dialog modally and takes over what it accepted.
    void OnImport();
    // Run the deed dialog modally and carry out what it made.
    void OnNewDeed();
    void OnEditDeed(CBodItem* pBod);

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

    bool OnSaveDocument(const QString& strPathName) override;

Q_SIGNALS:
    // The deeds or the history changed: commands that depend on them are enabled anew.
    void Changed();

protected:
    void ReloadDocument() override;
    void MarkModified() override;

private:
    // Runs an operation: onto the history, or once and unrecorded in Shopping List mode.
    void Run(std::unique_ptr<QUndoCommand> pCommand);

    QUndoStack m_undoStack;
    // The last unrecorded operation, kept until the next: the asking view may still show the
    // deed it took out.
    std::unique_ptr<QUndoCommand> m_pUnrecorded;
    // Auto Save wrote the state a change leads to before the history moved there.
    bool m_bInChange = false;
    bool m_bSavedInChange = false;
    // Open parts the last shopping list left out: more than any large deed has.
    std::size_t m_nPartsLeftOut = 0;
};
