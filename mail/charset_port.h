// Turning a code page's bytes into UTF-8. The system does it: the C library's
// iconv on Linux and macOS, the Windows code pages on Windows; this port is
// all the rest of mail/ knows of either (charsets_posix.cpp, and
// mail_win32/charsets_win32.cpp).
#pragma once

#include <string>
#include <string_view>

namespace tessel::mail {

class CharsetPort {
 public:
  virtual ~CharsetPort() = default;
  // Appends `bytes`, read in code page `codePage`, to `out` as UTF-8; a byte
  // sequence the page has no character for becomes U+FFFD. False, appending
  // nothing, when the system has no such code page.
  virtual bool AppendUtf8(int codePage, std::string_view bytes, std::string& out) = 0;
};

// The platform's port; safe from several threads at once.
CharsetPort& SystemCharsets();

}  // namespace tessel::mail
