#pragma once

#include "model/BodItem.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

// An owning list of deeds. Views and the selection point into it; they never own a deed.
using CBodArray = std::vector<std::unique_ptr<CBodItem>>;

// A deed list to read: it hands out its deeds as const, so whoever holds only the view can look
// at every deed and change none. Iterating gives a const CBodItem* per entry, null entries
// included.
class CBodListView {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = const CBodItem*;
        using difference_type = std::ptrdiff_t;
        using pointer = const CBodItem* const*;
        using reference = const CBodItem*;

        Iterator() = default;
        explicit Iterator(CBodArray::const_iterator it) : m_it(it) {}
        const CBodItem* operator*() const { return m_it->get(); }
        Iterator& operator++() {
            ++m_it;
            return *this;
        }
        Iterator operator++(int) { return Iterator(m_it++); }
        bool operator==(const Iterator&) const = default;

    private:
        CBodArray::const_iterator m_it;
    };

    // Not explicit: every list reads as its view.
    CBodListView(const CBodArray& arr) : m_pArr(&arr) {}

    Iterator begin() const { return Iterator(m_pArr->begin()); }
    Iterator end() const { return Iterator(m_pArr->end()); }
    std::size_t size() const { return m_pArr->size(); }
    bool empty() const { return m_pArr->empty(); }
    const CBodItem* operator[](std::size_t nIndex) const { return (*m_pArr)[nIndex].get(); }

private:
    const CBodArray* m_pArr;
};

// Deletes every deed of the list and empties it.
void FreeBodArray(CBodArray& arr);
// Replaces pDest's deeds by copies (texts, time, parts) of pSrc's non-null deeds, in order.
void CopyBodArray(CBodArray& dest, const CBodArray& src);
// The index of the entry holding pBod, or -1.
int FindBodIndex(CBodListView arr, const CBodItem* pBod);
