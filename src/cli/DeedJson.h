#pragma once

#include "model/BodArray.h"

#include <string>
#include <string_view>

// The JSON form of a deed that every bodtool command prints. Output is always well-formed UTF-8:
// a byte that is not part of a well-formed sequence is written as U+FFFD.
namespace DeedJson {

// Appends text as a JSON string, quotes included.
void AppendString(std::string& out, std::string_view text);

// Appends the deed's members ("trade" to "parts") without the braces, so a command can add
// members of its own to the same object.
void AppendMembers(std::string& out, const CBodItem& bod);

// Appends the deed as an object.
void AppendObject(std::string& out, const CBodItem& bod);

// Appends "deeds":[deed, ...] with the non-null deeds of bods, in order.
void AppendDeedsMember(std::string& out, const CBodArray& bods);

} // namespace DeedJson
