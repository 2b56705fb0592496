#pragma once

#include <QFrame>
#include <QPointer>

class CDocument;
class QLabel;

// The bar above a document window's tree that says, as soon as it is noticed, that another
// program changed the document's file, with what the user can do about it: read the file again
// or keep this version. It shows while the document says so and takes no focus when it appears.
class CDiskChangeBar : public QFrame {
    Q_OBJECT
public:
    explicit CDiskChangeBar(QWidget* pParent = nullptr);

    // The document whose file the bar tells of; it may be null.
    void SetDocument(CDocument* pDoc);

private:
    void Update();

    QPointer<CDocument> m_pDocument;
    QLabel* m_labelText = nullptr;
};
