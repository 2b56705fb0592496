#pragma once

#include "document/QuillmarDoc.h"
#include "framework/View.h"

#include <QScrollArea>
#include <QString>
#include <array>
#include <cstdint>

class CBodItem;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The right-hand pane of a document window: shows the deed selected in the tree and edits its
// count, price, notes and filled parts. Edits stay in the form until Apply writes them into the
// deed; every update of the document's views refills the form from the selected deed and drops
// whatever was not applied.
class CQuillmarView : public QScrollArea, public CView {
    Q_OBJECT
public:
    explicit CQuillmarView(QWidget* pParent = nullptr);
    ~CQuillmarView() override;

    CQuillmarDoc* GetDocument() const;

    // Refills from the document's selected deed, whoever sent the update.
    void OnUpdate(CView* pSender, long lHint, void* pHint) override;

    // "SBOD/" + item for a small deed, then "/" material "/" amount "/" quality as stored.
    static QString BuildTitle(const CBodItem& bod);
    // "filled/needed".
    static QString FormatCount(std::int64_t nFilled, std::int64_t nNeeded);
    // The abbreviated weekday and the locale's date and time of a deed's time, in local time.
    static QString FormatTimeAdded(std::uint32_t timeAdded);

    // What is shown: 0 no deed, 1 a small deed, 2 a large deed.
    int GetMode() const { return m_nMode; }
    // Shows or hides the deed's reward points as the player's View > Points choice says.
    void ShowPoints();

private:
    void BuildControls();
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
    // Number of filled parts beyond the sixth, which have no box and keep their flags.
    int CountFilledPartsWithoutBox() const;
    void StepAdjust(int nDelta);

    void OnPartClicked();
    void OnEditChange();
    void OnApply();
    void OnCancel();

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
    CBodItem* m_pBod = nullptr;
    std::int32_t m_nPartAmount = 0;
    std::int64_t m_nNeeded = 0;
    int m_nParts = 0;
    bool m_bFilledOnce = false;
    int m_nMode = 0;
    bool m_bWritingControls = false;
};
