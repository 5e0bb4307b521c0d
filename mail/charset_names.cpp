#include "mail/charset_names.h"

#include <cctype>
#include <string>

namespace tessel::mail {
namespace {

struct Name {
  const char* name;  // lower case
  Charset charset;
};

constexpr Recode kFromJis = Recode::kIso2022JpToShiftJis;
constexpr Recode kFromEucJp = Recode::kEucJpToShiftJis;

// Aliases as mail programs write them. US-ASCII mail with 8-bit bytes is
// nearly always Windows-1252; ISO-8859-8-I differs from ISO-8859-8 only in
// the text's direction; GB2312 and GB18030 mail is read as GBK, which holds
// GB2312 whole; EUC-KR bytes are CP949 bytes.
const Name kNames[] = {
    {"utf-8", {kUtf8Page}},
    {"utf8", {kUtf8Page}},
    {"us-ascii", {1252}},
    {"ascii", {1252}},
    {"iso-8859-1", {28591}},
    {"iso8859-1", {28591}},
    {"iso_8859-1", {28591}},
    {"latin1", {28591}},
    {"l1", {28591}},
    {"iso-8859-2", {28592}},
    {"iso8859-2", {28592}},
    {"latin2", {28592}},
    {"iso-8859-3", {28593}},
    {"iso-8859-4", {28594}},
    {"iso-8859-5", {28595}},
    {"iso8859-5", {28595}},
    {"iso-8859-6", {28596}},
    {"iso-8859-7", {28597}},
    {"iso8859-7", {28597}},
    {"greek", {28597}},
    {"iso-8859-8", {28598}},
    {"iso-8859-8-i", {28598}},
    {"iso8859-8", {28598}},
    {"hebrew", {28598}},
    {"iso-8859-9", {28599}},
    {"latin5", {28599}},
    {"iso-8859-13", {28603}},
    {"iso-8859-15", {28605}},
    {"iso8859-15", {28605}},
    {"latin-9", {28605}},
    {"windows-874", {874}},
    {"tis-620", {874}},
    {"iso-8859-11", {874}},
    {"koi8-r", {20866}},
    {"koi8-u", {21866}},
    {"shift_jis", {932}},
    {"shift-jis", {932}},
    {"sjis", {932}},
    {"x-sjis", {932}},
    {"windows-31j", {932}},
    {"ms_kanji", {932}},
    {"cp932", {932}},
    {"iso-2022-jp", {932, kFromJis}},
    {"csiso2022jp", {932, kFromJis}},
    {"euc-jp", {932, kFromEucJp}},
    {"x-euc-jp", {932, kFromEucJp}},
    {"gb2312", {936}},
    {"gbk", {936}},
    {"gb18030", {936}},
    {"cp936", {936}},
    {"x-gbk", {936}},
    {"euc-cn", {936}},
    {"csgb2312", {936}},
    {"gb_2312-80", {936}},
    {"euc-kr", {949}},
    {"ks_c_5601-1987", {949}},
    {"ks_c_5601", {949}},
    {"cp949", {949}},
    {"uhc", {949}},
    {"korean", {949}},
    {"big5", {950}},
    {"big5-hkscs", {950}},
    {"cp950", {950}},
    {"x-x-big5", {950}},
};

}  // namespace

bool FindCharset(std::string_view name, Charset& charset) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '"')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '"')) name.remove_suffix(1);
  constexpr std::size_t kLongestName = 24;
  if (name.empty() || name.size() > kLongestName) return false;
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // windows-1250 to windows-1258 and their cp names.
  for (const std::string_view prefix : {"windows-", "cp", "x-cp"}) {
    if (lower.size() == prefix.size() + 4 && lower.compare(0, prefix.size(), prefix) == 0 &&
        lower.compare(prefix.size(), 3, "125") == 0 && lower.back() >= '0' && lower.back() <= '8') {
      charset = {1250 + (lower.back() - '0')};
      return true;
    }
  }
  for (const Name& entry : kNames) {
    if (lower == entry.name) {
      charset = entry.charset;
      return true;
    }
  }
  return false;
}

}  // namespace tessel::mail
