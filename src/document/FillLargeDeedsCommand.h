#pragma once

#include "model/LargeDeedFilling.h"

#include <QUndoCommand>

class CQuillmarDoc;

// Fill Large Deeds, one step of the history. The filling is done before the command is
// recorded, so its first redo only tells the views; undone, every deed is as it was, redone,
// filled again.
class CFillLargeDeedsCommand : public QUndoCommand {
public:
    CFillLargeDeedsCommand(CQuillmarDoc& doc, CLargeDeedFilling filling);

    void redo() override;
    void undo() override;

private:
    CQuillmarDoc& m_doc;
    CLargeDeedFilling m_filling;
    bool m_bDone = false;
};
