#pragma once

#include "model/BodItem.h"

#include <string>
#include <unordered_set>

// Tells whether a deed is one a list already holds: the same in every field but the time it
// was recorded and its notes, the two that a second import of the same paste changes. Keeps
// its own copy of what it compares, so the list may change or go afterwards.
class CDuplicateFinder {
public:
    void Add(const CBodItem& bod);
    bool Contains(const CBodItem& bod) const;

private:
    static std::string Key(const CBodItem& bod);

    std::unordered_set<std::string> m_keys;
};
