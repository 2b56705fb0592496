#pragma once

#include <QObject>
#include <functional>

class CBodItem;

// What one document window has selected: the deed its tree's selected node carries, or none.
// The tree sets it when the user selects and when its document changes; the form shows it, and
// the window's commands (Edit Deed, Copy) act on it. Each window has its own, as the document
// has none.
class CDeedSelection : public QObject {
    Q_OBJECT
public:
    // What may become of changes the form holds but has not applied, when it is to show
    // something else.
    enum class Leave {
        // Applied, dropped, or kept by staying where the user is (the move does not happen).
        ApplyDropOrStay,
        // The deed goes out of sight whatever the answer: applied or dropped.
        ApplyOrDrop,
        // Undo and Redo would take back an Apply made first: dropped, or kept by staying.
        DropOrStay,
    };
    // Settles the changes not applied; false when the user chose to stay.
    using LeaveCheck = std::function<bool(Leave)>;

    using QObject::QObject;

    const CBodItem* Get() const { return m_pBod; }
    // Tells of it when the deed is another one.
    void Set(const CBodItem* pBod);

    // The form that shows the deed answers whether what it holds lets the window move on.
    void SetLeaveCheck(LeaveCheck fnCheck) { m_fnLeaveCheck = std::move(fnCheck); }
    bool MayLeave(Leave leave) const { return !m_fnLeaveCheck || m_fnLeaveCheck(leave); }

Q_SIGNALS:
    void Changed();

private:
    const CBodItem* m_pBod = nullptr;
    LeaveCheck m_fnLeaveCheck;
};
