#pragma once

class CDocument;

// What a document expects of each of its views: a first fill and a fill at every change.
// Views are widgets that also implement this interface; the document only points at them.
class CView {
public:
    // Leaves its document, so the document never points at a view that is gone.
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }

    // The first fill after the view was attached; by default the same as an update.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    // The document changed: lHint and pHint say how, in the words of the document's kind.
    virtual void OnUpdate(CView* pSender, long lHint, const void* pHint) = 0;

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
