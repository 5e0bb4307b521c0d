// JSON rows: an array of rows, each an array of its cells as strings. Cell
// bytes that are not valid UTF-8 are read as Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace tessel::cli {

// Appends `bytes` as a quoted JSON string in UTF-8.
void AppendJsonString(std::string& out, std::string_view bytes);

}  // namespace tessel::cli
