#pragma once

#include "import/DeedEntry.h"
#include "model/BodItem.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

// New Deed and Edit Deed: the player picks what the deed asks for from what the game gives, and
// the deed is made as its pasted tooltip would make it. Each choice narrows the next: the craft
// its items or sets, the item its materials, whether it may be exceptional and whether it names
// a gem. OK makes the deed (take it with TakeDeed); Enter is OK everywhere but in Notes, Escape
// cancels.
class CDeedDlg : public QDialog {
    Q_OBJECT
public:
    // pEdited: the deed to edit, whose choices the dialog starts from, or null for a new deed.
    explicit CDeedDlg(const CBodItem* pEdited, QWidget* pParent = nullptr);
    ~CDeedDlg() override;

    // The deed made by OK, or null. An edited deed keeps its time and the parts of its new set
    // that it had filled.
    std::unique_ptr<CBodItem> TakeDeed();

    void accept() override;

private:
    void CreateControls();
    // The form's rows: what the deed says, top to bottom, then what the player adds.
    void AddDeedRows(QFormLayout& form);
    void AddPlayerRows(QFormLayout& form);
    // Names for screen readers, from the rows' labels, and for tests.
    void NameControls(const QFormLayout& form);
    void Prefill(const CBodItem& bod);
    void OnCraftOrSizeChanged();
    void OnItemChanged();
    void OnAmountChanged();
    bool IsLarge() const;
    // What the controls say; a large deed keeps what it made beyond its parts.
    DeedChoice Choice() const;

    std::uint32_t m_timeKept = 0;
    std::string m_strPriceKept;
    std::string m_strNotesKept;
    std::vector<std::string> m_filledParts;
    // What an edited large deed had made beyond its filled parts.
    int m_nMadeBeyondParts = 0;
    // A small deed's count, kept while the Large choice shows a large one's progress instead.
    int m_nSmallMade = 0;
    std::unique_ptr<CBodItem> m_pDeed;

    QComboBox* m_comboCraft = nullptr;
    QRadioButton* m_radioSmall = nullptr;
    QRadioButton* m_radioLarge = nullptr;
    QLabel* m_labelItem = nullptr;
    QListWidget* m_listItems = nullptr;
    QComboBox* m_comboGem = nullptr;
    QComboBox* m_comboMaterial = nullptr;
    QComboBox* m_comboAmount = nullptr;
    QCheckBox* m_checkExceptional = nullptr;
    QSpinBox* m_spinMade = nullptr;
    QLineEdit* m_editPrice = nullptr;
    QPlainTextEdit* m_editNotes = nullptr;
};
