#include "framework/View.h"

#include "framework/Document.h"

CView::~CView() {
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}
