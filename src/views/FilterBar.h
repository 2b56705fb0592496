#pragma once

#include "model/BodArray.h"
#include "model/BodFilter.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The bar above a document window's tree that narrows what the tree shows: words to find and
// choices of trade, size, quality and material. It only describes a filter; the window hands
// it to the tree. Escape anywhere in the bar clears it and closes it; in an open list it closes
// the list only.
class CFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit CFilterBar(QWidget* pParent = nullptr);

    // Shows the bar with the keyboard in its text box, the text selected.
    void Open();
    // Empties every control and hides the bar, so the filter lets every deed through again.
    void ClearAndClose();

    const CBodFilter& GetFilter() const { return m_filter; }
    // The choices offer the values the deeds hold. A value chosen now stays on offer even when
    // no deed holds it any more, so a change of the list never changes the filter.
    void SetChoices(CBodListView bods);
    // "12 of 40 shown".
    void SetCounts(int nShown, int nTotal);

    QLineEdit* GetTextEdit() const { return m_editText; }
    QComboBox* GetTradeChoice() const { return m_comboTrade; }
    QComboBox* GetSizeChoice() const { return m_comboSize; }
    QComboBox* GetQualityChoice() const { return m_comboQuality; }
    QComboBox* GetMaterialChoice() const { return m_comboMaterial; }
    QLabel* GetCountLabel() const { return m_labelCount; }

Q_SIGNALS:
    void FilterChanged();
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void ReadControls();
    std::array<QComboBox*, 4> Choices() const;

    CBodFilter m_filter;
    QLineEdit* m_editText = nullptr;
    QLabel* m_labelCount = nullptr;
    QToolButton* m_btnClose = nullptr;
    QComboBox* m_comboTrade = nullptr;
    QComboBox* m_comboSize = nullptr;
    QComboBox* m_comboQuality = nullptr;
    QComboBox* m_comboMaterial = nullptr;
};
