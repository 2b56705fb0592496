#pragma once

#include "framework/CollatorTextOrder.h"
#include "import/ImportSession.h"
#include "model/BodArray.h"

#include <QDialog>
#include <QPoint>
#include <memory>

class CImportRowModel;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

// The modal Import dialog: paste UOAssist text, review the rows, process them with a note.
// exec() returns Accepted after "E&xit/Save" (take the deeds with TakeProcessed) and Rejected
// after "&Cancel Import", Esc or the close box (the processed deeds are deleted then).
// Unprocessed deeds never leave the dialog.
class CImportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CImportDlg(QWidget* pParent = nullptr);
    ~CImportDlg() override;

    // The deeds of the document the import goes into: pasted rows identical to one of them get
    // their own mark and are counted.
    void AddKnownDeeds(const CBodArray& bods);

    // The processed deeds in processing order; empty after Cancel. The caller owns them.
    CBodArray TakeProcessed();

    // "&Paste": the clipboard's text becomes the list, in the chosen paste mode; a list with
    // rows still to process is replaced only when the user agrees.
    void OnPaste();

    // "&Cancel Import", Esc and the close box all end here, and the processed deeds go with it.
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    void CreateControls();
    // The dialog's parts, top to bottom: the pasted rows with the note, the counters, the paste
    // mode with the commands, and the buttons that end the dialog.
    QGroupBox* CreateEntries();
    QGroupBox* CreateCounters();
    QGroupBox* CreateCommands();
    QLayout* CreateEndButtons();
    void OnProcessSelected();
    void OnProcessAll();
    // Button states and counters, after every event that can change them.
    void UpdateControls();
    // The paste mode and the note, as the session needs them for the next command.
    void ReadControls();

    CCollatorTextOrder m_order;
    CImportSession m_session;
    // Dies before the session it shows; the list view lets go of it when it goes.
    std::unique_ptr<CImportRowModel> m_pRowModel;

    QTreeView* m_listItems = nullptr;
    QPlainTextEdit* m_editNote = nullptr;
    QLabel* m_labelDuplicates = nullptr;
    QLineEdit* m_editTotal = nullptr;
    QLineEdit* m_editAdded = nullptr;
    QLineEdit* m_editInvalid = nullptr;
    QRadioButton* m_radioAos = nullptr;
    QRadioButton* m_radioPreAos = nullptr;
    QRadioButton* m_radioTooltip = nullptr;
    QPushButton* m_btnPaste = nullptr;
    QPushButton* m_btnProcessSelected = nullptr;
    QPushButton* m_btnProcessAll = nullptr;
    QPushButton* m_btnExit = nullptr;
    QPushButton* m_btnCancel = nullptr;

    // Where the mouse grabbed the dialog, relative to its top-left corner, while it is dragged.
    QPoint m_ptDragOffset;
    bool m_bDragging = false;
};
