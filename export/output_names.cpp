#include "export/output_names.h"

#include <array>
#include <cctype>

namespace tessel::exporting {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool RefusedByWindows(unsigned char c) {
  return c < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

// Windows opens the device instead of a file of these names, whatever follows a ".".
bool IsDeviceName(std::string_view base) {
  static constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
  const std::string lower = Lower(base);
  for (const std::string_view device : kDevices) {
    if (lower == device) return true;
  }
  return lower.size() == 4 && (lower.rfind("com", 0) == 0 || lower.rfind("lpt", 0) == 0) && lower[3] >= '1' &&
         lower[3] <= '9';
}

bool IsTrailingTrimmed(char c) { return c == '.' || c == ' '; }

}  // namespace

std::string SafeFileName(std::string_view name, std::string_view fallback) {
  std::string safe;
  safe.reserve(name.size());
  for (const char c : name) safe += RefusedByWindows(static_cast<unsigned char>(c)) ? '_' : c;
  if (safe.size() > kLongestStem) {
    std::size_t end = kLongestStem;
    // Back to the first byte of a UTF-8 character.
    while (end > 0 && (static_cast<unsigned char>(safe[end]) & 0xC0) == 0x80) --end;
    safe.resize(end);
  }
  while (!safe.empty() && IsTrailingTrimmed(safe.back())) safe.pop_back();
  if (safe.empty()) return std::string(fallback);
  // The device's part: before the first dot, its trailing spaces ignored as Windows does.
  std::size_t base = safe.find('.');
  if (base == std::string::npos) base = safe.size();
  std::size_t baseEnd = base;
  while (baseEnd > 0 && safe[baseEnd - 1] == ' ') --baseEnd;
  if (IsDeviceName(std::string_view(safe).substr(0, baseEnd))) safe.insert(baseEnd, "_");
  return safe;
}

std::string UniqueNames::Take(const std::string& stem, std::initializer_list<std::string_view> endings) {
  const auto free = [&](const std::string& candidate) {
    for (const std::string_view ending : endings) {
      if (taken_.count(Lower(candidate + std::string(ending))) > 0) return false;
    }
    for (const std::string_view ending : endings) taken_.insert(Lower(candidate + std::string(ending)));
    return true;
  };
  if (free(stem)) return stem;
  // Numbers tried once for a stem are never tried again: linear in all.
  int& next = nextOf_.try_emplace(Lower(stem), 2).first->second;
  for (;;) {
    std::string numbered = stem + " (" + std::to_string(next++) + ")";
    if (free(numbered)) return numbered;
  }
}

bool UniqueNames::Reserve(const std::string& name) { return taken_.insert(Lower(name)).second; }

}  // namespace tessel::exporting
