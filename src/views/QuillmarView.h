#pragma once

#include "document/QuillmarDoc.h"
#include "framework/View.h"
#include "model/BodItem.h"
#include "views/DeedSelection.h"

#include <QScrollArea>
#include <QString>
#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The right-hand pane of a document window: shows the window's selected deed and edits its
// count, price, notes and filled parts. Edits stay in the form until Apply asks the document to
// write them into the deed. Before the selection moves on or a command changes the document,
// the form asks what becomes of edits not applied (see CDeedSelection::Leave); every update of
// the document's views and every change of the selection then refills the form.
class CQuillmarView : public QScrollArea, public CView {
    Q_OBJECT
public:
    explicit CQuillmarView(QWidget* pParent = nullptr);
    ~CQuillmarView() override;

    CQuillmarDoc* GetDocument() const;

    // Refills from the selected deed, whoever sent the update.
    void OnUpdate(CView* pSender, long lHint, const void* pHint) override;

    // The window's selection, which the form shows from now on and asks to leave.
    void SetSelection(CDeedSelection& selection);
    // The window's Edit Deed command, which the form's button runs.
    void SetEditDeedCommand(QAction& command);

    // "SBOD/" + item for a small deed, then "/" material "/" amount "/" quality as stored.
    static QString BuildTitle(const CBodItem& bod);
    // The abbreviated weekday and the locale's date and time of a deed's time, in local time.
    static QString FormatTimeAdded(std::uint32_t timeAdded);

    // Shows or hides the deed's reward points as the player's View > Points choice says.
    void ShowPoints();

private:
    // What the form shows.
    enum class Mode { None, Small, Large };

    void BuildControls();
    // The rows of the form's grid, top to bottom, and the buttons on its right.
    void BuildCountRow(QGridLayout& grid);
    void BuildTextRows(QGridLayout& grid);
    void BuildPartBoxes(QGridLayout& grid);
    void BuildButtons(QGridLayout& grid);
    void SetTabOrder();
    void ConnectControls();
    void Refill();
    void FillForm();
    void FillLargeParts();
    void HideParts();
    void RecountParts();
    void StoreParts(CBodItem& bod) const;
    void EnableApply(bool bEnable);
    // Writes the working copies into the controls; the form's own writes never count as edits.
    void WriteControls();
    // Reads price, notes and part boxes back.
    void ReadControls();
    // Reads the Adjust box back; on a text that is no integer it tells the user, puts the focus
    // into the box and returns false.
    bool ReadAdjustCount();
    void StepAdjust(int nDelta);

    void OnPartClicked();
    void OnEditChange();
    // Whether the edits were written: a box that holds no integer stops it.
    bool OnApply();
    void OnCancel();
    // With edits not applied, asks what becomes of them; false when the user stays.
    bool SettleEdits(CDeedSelection::Leave leave);

    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

    static constexpr int kPartBoxes = 6;

    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnApply = nullptr;
    QPushButton* m_btnEditDeed = nullptr;
    QLineEdit* m_editPrice = nullptr;
    QPlainTextEdit* m_editNotes = nullptr;
    QLabel* m_staticAdjust = nullptr;
    QWidget* m_spinAdjust = nullptr;
    QToolButton* m_btnAdjustUp = nullptr;
    QToolButton* m_btnAdjustDown = nullptr;
    QLineEdit* m_editAdjust = nullptr;
    QGroupBox* m_groupParts = nullptr;
    std::array<QCheckBox*, kPartBoxes> m_checkPart{};
    QLabel* m_staticCount = nullptr;
    QLabel* m_staticPoints = nullptr;
    QLabel* m_staticDate = nullptr;

    std::array<bool, kPartBoxes> m_bPart{};
    QString m_strCountText = QStringLiteral("N/A");
    QString m_strNotesText;
    QString m_strPriceText;
    QString m_strDateText;
    std::int32_t m_nAdjustCount = 0;
    // Upper end of the arrows' range; the lower end is 0.
    std::int32_t m_nAdjustMax = 0;
    CDeedSelection* m_pSelection = nullptr;
    // The deed shown, as the document holds it, and the copy the form reads.
    const CBodItem* m_pBod = nullptr;
    CBodItem m_shown;
    int m_nParts = 0;
    bool m_bFilledOnce = false;
    Mode m_mode = Mode::None;
    bool m_bWritingControls = false;
};
