#pragma once

#include "framework/Document.h"
#include "model/BodArray.h"
#include "model/LargeDeedFilling.h"

#include <QUndoStack>
#include <cstddef>
#include <cstdint>
#include <memory>

class CView;

// The *.bod document: the shown deed list that every view displays, the Shopping List mode,
// Auto Save and Import. Its state is its own: views read the list as const deeds and change it
// only through the operations below, each a command on its undo history. Every change reaches
// the views through UpdateAllViews with one of the hints below; what each view has selected is
// the view's own.
//
// Shopping List mode shows copies: changes to them are carried out but never recorded in the
// history, and the history of the real list waits, untouched, until the mode is left.
class CQuillmarDoc : public CDocument {
    Q_OBJECT
public:
    // What an update tells the views (lHint). pHint, where given, is the deed it concerns.
    enum Hint : long {
        // The list may be all new (read from the file, the Shopping List shown or left): nothing
        // stays selected. The framework's own updates are of this kind.
        kHintNewList = 0,
        // Deeds came, went or changed: a view selects pHint's deed when one is given, and keeps
        // its own selection otherwise wherever that deed still is.
        kHintChanged,
        // Only the label of pHint's deed changed (Apply): the trees relabel it and move nothing.
        kHintRelabel,
    };

    CQuillmarDoc();
    ~CQuillmarDoc() override;

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    bool OnNewDocument() override;
    void OnCloseDocument() override;
    bool OnSaveDocument(const QString& strPathName) override;

    // The shown list: the full list, or the Shopping List's copies.
    CBodListView GetBods() const { return m_arrBods; }
    bool IsShoppingList() const { return m_bShoppingList; }
    bool IsAutoSave() const { return m_bAutoSave; }

    // The operations on the deeds. pSender is the view that asked; it is not told of the change
    // and brings itself up to date. Each returns whether anything changed; a deed not in the
    // shown list changes nothing.
    //
    // Appends the non-null deeds, tells how many were imported and returns that number.
    int ImportDeeds(CBodArray bods);
    // Takes pBod out of the shown list.
    bool DeleteDeed(const CBodItem* pBod, CView* pSender);
    // Gives pBod the fields of edited; only its label changes in the trees.
    bool ApplyEdit(const CBodItem* pBod, const CBodItem& edited, CView* pSender);
    // Appends pBod, made by New Deed, and has the views select it.
    bool NewDeed(std::unique_ptr<CBodItem> pBod);
    // Gives pBod the fields of remade, which may file it elsewhere: every view updates and
    // selects pBod.
    bool EditDeed(const CBodItem* pBod, const CBodItem& remade);
    // Fills pLarge's part with pSmall, which leaves the list; the views select pLarge.
    bool CombineIntoLarge(const CBodItem* pSmall, const CBodItem* pLarge, CView* pSender);
    // Fills every large deed it can from the complete small deeds (Fill Large Deeds); the small
    // deeds used leave the list. Returns what it did.
    CFillCounts FillLargeDeeds();

    // The history, to read; Undo and Redo move along it.
    const QUndoStack& GetUndoStack() const { return m_undoStack; }
    bool CanUndo() const { return !m_bShoppingList && m_undoStack.canUndo(); }
    bool CanRedo() const { return !m_bShoppingList && m_undoStack.canRedo(); }
    void Undo() { m_undoStack.undo(); }
    void Redo() { m_undoStack.redo(); }

    // Commands.
    void OnShoppingList();
    void OnAutoSave();
    // Runs the Import dialog modally and takes over what it accepted; with bPaste the dialog
    // starts with the clipboard's text pasted.
    void OnImport(bool bPaste = false);
    // Run the deed dialog modally and carry out what it made.
    void OnNewDeed();
    void OnEditDeed(const CBodItem* pBod);
    // Fills the large deeds and tells what it did.
    void OnFillLargeDeeds();

Q_SIGNALS:
    // The deeds or the history changed: commands that depend on them are enabled anew.
    void Changed();

protected:
    void ReloadDocument() override;
    void MarkModified() override;

private:
    // The operations' commands change the list, and tell of it through ChangeDone.
    friend class CApplyEditCommand;
    friend class CCombineDeedsCommand;
    friend class CDeleteDeedCommand;
    friend class CFillLargeDeedsCommand;
    friend class CImportDeedsCommand;

    // Records a change to the shown list: the modified flag and the " *" in the title, or an
    // immediate save under Auto Save, or nothing in Shopping List mode.
    void MarkChanged(bool bModified);
    // For the operations' commands: records a change as MarkChanged does, with the modified mark
    // that the history's saved state gives, then tells every view but pSender.
    enum class Step { Do, Undo, Redo };
    void ChangeDone(Step step, CView* pSender, Hint hint = kHintChanged,
                    const CBodItem* pDeed = nullptr);
    // Runs an operation: onto the history, or once and unrecorded in Shopping List mode.
    void Run(std::unique_ptr<QUndoCommand> pCommand);
    // The shown list's own entry for pBod, which a view holds as const; null when it is not there.
    CBodItem* FindShown(const CBodItem* pBod);
    void BuildShoppingList();

    bool m_bShoppingList = false;
    bool m_bAutoSave = false;
    std::int32_t m_nReserved1 = 0;
    std::int32_t m_nReserved2 = 0;
    CBodArray m_arrBods;
    CBodArray m_arrFullList;
    CBodArray m_arrShoppingList;

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
