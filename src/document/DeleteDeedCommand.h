#pragma once

#include "model/BodItem.h"

#include <QUndoCommand>
#include <cstddef>
#include <memory>

class CQuillmarDoc;
class CView;

// Delete BOD: the deed leaves the shown list and the command keeps it; undone, it goes back to
// its place and is selected again.
class CDeleteDeedCommand : public QUndoCommand {
public:
    CDeleteDeedCommand(CQuillmarDoc& doc, std::size_t nIndex, CView* pSender);

    void redo() override;
    void undo() override;

private:
    CQuillmarDoc& m_doc;
    std::size_t m_nIndex;
    CBodItem* m_pBod;
    std::unique_ptr<CBodItem> m_pTaken;
    // The view that asked, told nothing the first time; null once done.
    CView* m_pSender;
    bool m_bDone = false;
};
