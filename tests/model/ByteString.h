#pragma once

#include <initializer_list>
#include <string>

// Spells out file bytes in tests: Bytes({0x09, 'P'}) + "latemail".
inline std::string Bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}
