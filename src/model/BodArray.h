#pragma once

#include "model/BodItem.h"

#include <memory>
#include <vector>

// An owning list of deeds. Views and the selection point into it; they never own a deed.
using CBodArray = std::vector<std::unique_ptr<CBodItem>>;

// Deletes every deed of the list and empties it.
void FreeBodArray(CBodArray& arr);
// Replaces pDest's deeds by copies (texts, time, parts) of pSrc's non-null deeds, in order.
void CopyBodArray(CBodArray& dest, const CBodArray& src);
// The index of the entry holding pBod, or -1.
int FindBodIndex(const CBodArray& arr, const CBodItem* pBod);
