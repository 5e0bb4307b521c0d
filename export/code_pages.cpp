#include "export/code_pages.h"

#include <algorithm>
#include <cctype>

namespace tessel::exporting {

namespace {

const CodePage* FindTable(int number) {
  for (size_t i = 0; i < kCodePageCount; ++i) {
    if (kCodePages[i].number == number) return &kCodePages[i];
  }
  return nullptr;
}

}  // namespace

const CodePage* FindCodePage(int number) {
  // UTF-8 reads the bytes that are not UTF-8 as the default page does.
  static const CodePage kUtf8 = [] {
    CodePage page = *FindTable(kDefaultCodePage);
    page.number = kUtf8CodePage;
    page.name = "UTF-8";
    return page;
  }();
  return number == kUtf8CodePage ? &kUtf8 : FindTable(number);
}

const CodePage* ParseCodePage(const std::string& text, std::string& error) {
  std::string name = text;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (name.empty()) return FindCodePage(kDefaultCodePage);
  if (name == "utf-8" || name == "utf8") return FindCodePage(kUtf8CodePage);
  for (const char* prefix : {"windows-", "cp"}) {
    if (name.rfind(prefix, 0) == 0) name.erase(0, std::char_traits<char>::length(prefix));
  }
  const CodePage* page = nullptr;
  if (!name.empty() && name.size() <= 5 && name.find_first_not_of("0123456789") == std::string::npos) {
    page = FindCodePage(std::stoi(name));
  }
  if (page != nullptr) return page;
  error = "unknown code page '" + text + "' (use 874, 1250 to 1258, or 65001 for UTF-8)";
  return nullptr;
}

}  // namespace tessel::exporting
