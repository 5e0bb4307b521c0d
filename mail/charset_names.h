// The one table of the charset names mail declares. Each name leads to a
// Windows code page, which both ports read: the Windows one converts it
// itself, the iconv one by the code page's own name there. Charsets that the
// Windows code pages do not convert everywhere (Wine has no EUC-JP, ISO-2022-JP
// or EUC-KR page) are led to one that does, so every platform reads mail alike.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessel::mail {

// What is done to a charset's bytes before its code page reads them.
enum class Recode : std::uint8_t {
  kNone,
  kIso2022JpToShiftJis,  // 7-bit JIS with escapes, turned into Shift_JIS bytes
  kEucJpToShiftJis,      // EUC-JP, turned into Shift_JIS bytes
};

struct Charset {
  int codePage = 0;  // 65001 for UTF-8
  Recode recode = Recode::kNone;
};

constexpr int kUtf8Page = 65001;
constexpr int kWindows1252Page = 1252;

// The charset a declared name stands for (any case, surrounding quotes and
// spaces ignored); false for a name the table does not hold.
bool FindCharset(std::string_view name, Charset& charset);

}  // namespace tessel::mail
