// Paths inside a folder: a backslash goes between folder and name only when
// the folder does not already end in one (an empty folder gets one too).
#pragma once

#include <string>

inline std::string PathInFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() != '\\') return folder + '\\' + name;
  return folder + name;
}
