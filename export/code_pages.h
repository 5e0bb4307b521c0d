// Windows code pages, for turning an address book's bytes into UTF-8. The
// address book keeps no note of its code page: it is the one of the Windows
// that wrote it, 1252 on most IncrediMail installations.
#pragma once

#include <cstddef>
#include <string>

namespace tessel::exporting {

struct CodePage {
  int number;          // 1252; 65001 for UTF-8
  const char* name;    // "Western European"
  char16_t high[128];  // the Unicode of bytes 0x80 to 0xFF
};

constexpr int kDefaultCodePage = 1252;
constexpr int kUtf8CodePage = 65001;  // UTF-8 as it is; other bytes read as 1252

extern const CodePage kCodePages[];
extern const size_t kCodePageCount;

// The code page of that number, or nullptr when tessel has no table for it.
const CodePage* FindCodePage(int number);

// Reads "1252", "cp1252", "windows-1252", "65001" or "utf-8" (empty: 1252);
// nullptr with `error` set for anything else.
const CodePage* ParseCodePage(const std::string& text, std::string& error);

}  // namespace tessel::exporting
