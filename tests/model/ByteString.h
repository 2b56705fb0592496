#pragma once

#include <initializer_list>
#include <string>

// Spells out file bytes in tests: Bytes({0x09, 'P'}) + "latemail".
inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}
