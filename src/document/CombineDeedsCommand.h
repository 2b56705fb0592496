#pragma once

#include "model/BodItem.h"

#include <QUndoCommand>
#include <cstddef>
#include <memory>

class CQuillmarDoc;
class CView;

// A small deed dropped onto a large one: the large deed's part is filled and the small deed
// leaves the list. Undone, the large deed is as it was and the small deed is back and selected.
class CCombineDeedsCommand : public QUndoCommand {
public:
    CCombineDeedsCommand(CQuillmarDoc& doc, std::size_t nSmallIndex, CBodItem& large,
                         CView* pSender);

    void redo() override;
    void undo() override;

private:
    CQuillmarDoc& m_doc;
    std::size_t m_nSmallIndex;
    CBodItem* m_pSmall;
    std::unique_ptr<CBodItem> m_pTaken;
    CBodItem& m_large;
    // The large deed's other version: before the drop while done, after it while undone.
    CBodItem m_otherLarge;
    CView* m_pSender;
    bool m_bDone = false;
};
