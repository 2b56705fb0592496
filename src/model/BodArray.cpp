#include "model/BodArray.h"

void FreeBodArray(CBodArray& arr) {
    arr.clear();
}

void CopyBodArray(CBodArray& dest, const CBodArray& src) {
    FreeBodArray(dest);
    dest.reserve(src.size());
    for (const std::unique_ptr<CBodItem>& bod : src) {
        if (bod) {
            dest.push_back(std::make_unique<CBodItem>(*bod));
        }
    }
}

int FindBodIndex(CBodListView arr, const CBodItem* pBod) {
    for (std::size_t i = 0; i < arr.size(); ++i) {
        if (arr[i] == pBod) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
