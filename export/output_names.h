// Names for the files an export makes from names it finds (a store's file
// name, a folder's): safe on every file system the outputs may be carried to,
// and unique in their folder, compared without regard to case as Windows does.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tessel::exporting {

// Bytes a name made by SafeFileName keeps at most, leaving room for " (2)",
// " (found only in the store)" and an extension within the usual 255.
constexpr std::size_t kLongestStem = 180;

// `name` made usable as a file name on Windows and elsewhere: characters
// Windows refuses become "_", a trailing dot or space goes, a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension) gets a
// "_" after it, a long name is cut (never inside a UTF-8 character), and
// what would be empty, "." or ".." becomes `fallback`.
std::string SafeFileName(std::string_view name, std::string_view fallback);

// Hands out names no earlier one has: "Inbox", "Inbox (2)", "Inbox (3)", in
// time linear in the names handed out.
class UniqueNames {
 public:
  // The first of `stem`, "stem (2)", "stem (3)", ... that is free with each
  // of `endings` after it ("Inbox" for "Inbox.mbox" and "Inbox (found only
  // in the store).mbox"); every name it makes is taken.
  std::string Take(const std::string& stem, std::initializer_list<std::string_view> endings = {""});
  // Takes `name` as it is; false when it was taken.
  bool Reserve(const std::string& name);

 private:
  std::unordered_set<std::string> taken_;        // lower-cased
  std::unordered_map<std::string, int> nextOf_;  // lower-cased stem: the N to try next
};

}  // namespace tessel::exporting
