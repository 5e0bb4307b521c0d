// Bytes of a charset, declared or not, as UTF-8 text: the recodings of the
// charset table done here, in portable code, and the code page read by the port.
#pragma once

#include <string>
#include <string_view>

#include "mail/charset_names.h"
#include "mail/charset_port.h"

namespace tessel::mail {

// Appends `bytes` in `charset` as UTF-8. A code page the system lacks reads
// as undeclared bytes.
void AppendInCharset(std::string& out, std::string_view bytes, const Charset& charset, CharsetPort& port);

// Bytes no charset was declared for: UTF-8 when they are valid UTF-8, else in
// the message's declared charset (`fallback`, when given), else Windows-1252.
void AppendUndeclared(std::string& out, std::string_view bytes, const Charset* fallback, CharsetPort& port);

// True when `bytes` are valid UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view bytes);

// Shift_JIS bytes for 7-bit JIS text with escapes, and for EUC-JP text (the
// JIS arithmetic: both encode the same JIS X 0208 rows). Characters Shift_JIS
// cannot hold become '?'.
std::string Iso2022JpToShiftJis(std::string_view bytes);
std::string EucJpToShiftJis(std::string_view bytes);

}  // namespace tessel::mail
