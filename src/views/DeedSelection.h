#pragma once

#include <QObject>

class CBodItem;

// What one document window has selected: the deed its tree's selected node carries, or none.
// The tree sets it when the user selects and when its document changes; the form shows it, and
// the window's commands (Edit Deed, Copy) act on it. Each window has its own, as the document
// has none.
class CDeedSelection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const CBodItem* Get() const { return m_pBod; }
    // Tells of it when the deed is another one.
    void Set(const CBodItem* pBod);

Q_SIGNALS:
    void Changed();

private:
    const CBodItem* m_pBod = nullptr;
};
