#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

// A stored text as a view draws it. Laying out and painting a text of megabytes takes seconds
// on every expand, select or paint, so a text longer than kMaxDisplayChars characters is shown
// cut, ending in "…"; the stored text stays whole.
inline constexpr std::size_t kMaxDisplayChars = 4096;
QString DisplayText(std::string_view utf8);
