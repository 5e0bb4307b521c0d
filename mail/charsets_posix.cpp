// The charset port over iconv. A converter is opened once per code page and
// thread and kept, since opening one costs more than converting a header.
#include <iconv.h>

#include <cerrno>
#include <map>
#include <string>

#include "mail/charset_port.h"

namespace tessel::mail {
namespace {

// iconv's name for a code page of the charset table.
std::string IconvName(int codePage) {
  constexpr int kIso8859Base = 28590;  // 28591 is ISO-8859-1, ... 28605 ISO-8859-15
  if (codePage > kIso8859Base && codePage <= kIso8859Base + 16) {
    return "ISO-8859-" + std::to_string(codePage - kIso8859Base);
  }
  switch (codePage) {
    case 20866:
      return "KOI8-R";
    case 21866:
      return "KOI8-U";
    case 65001:
      return "UTF-8";
    default:
      return "CP" + std::to_string(codePage);
  }
}

class Converters {
 public:
  Converters() = default;
  Converters(const Converters&) = delete;
  Converters& operator=(const Converters&) = delete;
  ~Converters() {
    for (auto& [page, converter] : open_) {
      if (converter != kNone) iconv_close(converter);
    }
  }
  // Nothing (kNone) when iconv has no such code page.
  iconv_t For(int codePage) {
    auto [at, added] = open_.try_emplace(codePage, kNone);
    if (added) at->second = iconv_open("UTF-8", IconvName(codePage).c_str());
    return at->second;
  }
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

 private:
  std::map<int, iconv_t> open_;
};

class IconvCharsets final : public CharsetPort {
 public:
  bool AppendUtf8(int codePage, std::string_view bytes, std::string& out) override {
    thread_local Converters converters;
    const iconv_t converter = converters.For(codePage);
    if (converter == Converters::kNone) return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
      char* to = buffer;
      size_t toLeft = sizeof buffer;
      const size_t done = iconv(converter, &in, &inLeft, &to, &toLeft);
      out.append(buffer, static_cast<size_t>(to - buffer));
      if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
      // A sequence the page cannot read (EILSEQ), or one cut short at the end (EINVAL).
      out += "\xEF\xBF\xBD";
      ++in;
      --inLeft;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    // Some pages hold a character back until they see whether a combining mark follows.
    char* to = buffer;
    size_t toLeft = sizeof buffer;
    iconv(converter, nullptr, nullptr, &to, &toLeft);
    out.append(buffer, static_cast<size_t>(to - buffer));
    return true;
  }
};

}  // namespace

CharsetPort& SystemCharsets() {
  static IconvCharsets charsets;
  return charsets;
}

}  // namespace tessel::mail
