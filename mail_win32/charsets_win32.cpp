// The charset port over the Windows code pages: the bytes to UTF-16 in the
// page, then to UTF-8. Bytes the page has no character for come out as the
// page's default character, as the system reads them everywhere else.
#include <windows.h>

#include <string>

#include "mail/charset_port.h"

namespace tessel::mail {
namespace {

class CodePageCharsets final : public CharsetPort {
 public:
  bool AppendUtf8(int codePage, std::string_view bytes, std::string& out) override {
    const auto page = static_cast<UINT>(codePage);
    if (!::IsValidCodePage(page)) return false;
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    const int wideLength = ::MultiByteToWideChar(page, 0, bytes.data(), size, nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(page, 0, bytes.data(), size, wide.data(), wideLength);
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    const size_t had = out.size();
    out.resize(had + static_cast<size_t>(length));
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data() + had, length, nullptr, nullptr);
    return true;
  }
};

}  // namespace

CharsetPort& SystemCharsets() {
  static CodePageCharsets charsets;
  return charsets;
}

}  // namespace tessel::mail
