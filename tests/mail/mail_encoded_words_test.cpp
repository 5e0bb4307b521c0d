// Encoded words and parameters in the charsets real mail declares, read
// through the system's charsets.
#include <gtest/gtest.h>

#include "mail/charset_text.h"
#include "mail/content_type.h"
#include "mail/encoded_words.h"

namespace tessel::mail {
namespace {

std::string Decoded(std::string_view raw, const char* declared = nullptr) {
  Charset charset;
  const bool known = declared != nullptr && FindCharset(declared, charset);
  return DecodeHeaderText(raw, known ? &charset : nullptr, SystemCharsets());
}

TEST(EncodedWords, DecodeSubjectsInEveryCharsetMailUses) {
  const struct {
    const char* raw;
    const char* text;
  } cases[] = {
      {"=?iso-8859-1?Q?Gr=FC=DFe_aus_Wien?=", "Grüße aus Wien"},
      {"=?ISO-8859-2?B?WmG/87PmIGfqtmyxIGphvPE=?=", "Zażółć gęślą jaźń"},
      {"=?iso-8859-15?B?UHJlaXMgMjAgpA==?=", "Preis 20 €"},
      {"=?windows-1251?B?z/Do4uXyIOjnIMzu8eri+w==?=", "Привет из Москвы"},
      {"=?KOI8-R?B?79Teo9Qg2sEgzcHS1A==?=", "Отчёт за март"},
      {"=?windows-1255?B?+ezl7SDy5ezt?=", "שלום עולם"},
      {"=?iso-8859-8-i?B?5+P55fo=?=", "חדשות"},
      {"=?iso-8859-7?B?yuHr5+zd8eEg6vzz7OU=?=", "Καλημέρα κόσμε"},
      {"=?Shift_JIS?B?ie+LY4LMi2OOlphe?=", "会議の議事録"},
      {"=?ISO-2022-JP?B?GyRCJCo4K0BRJGokTiQ0ME1NahsoQg==?=", "お見積りのご依頼"},
      {"=?euc-jp?B?xvzL3LjspM6l4aG8pes=?=", "日本語のメール"},
      {"=?gb2312?B?u+HS6c2o1qo=?=", "会议通知"},
      {"=?big5?B?t3zEs7Nxqr4=?=", "會議通知"},
      {"=?ks_c_5601-1987?B?vsiz58fPvLy/5A==?=", "안녕하세요"},
      // A UTF-8 character cut between two words, as some encoders do.
      {"=?utf-8?B?R3LD?= =?utf-8?B?vMOfZQ==?=", "Grüße"},
      // The standard's own examples of what joins and what does not.
      {"(=?ISO-8859-1?Q?a?= b)", "(a b)"},
      {"(=?ISO-8859-1?Q?a?= =?ISO-8859-1?Q?b?=)", "(ab)"},
      {"(=?ISO-8859-1?Q?a?=   \t =?ISO-8859-1?Q?b?=)", "(ab)"},
      {"(=?ISO-8859-1?Q?a_b?=)", "(a b)"},
      {"(=?ISO-8859-1?Q?a?= =?ISO-8859-2?Q?_b?=)", "(a b)"},
      {"=?US-ASCII*EN?Q?Keith_Moore?=", "Keith Moore"},
      // Malformed words stay as written; text around them is kept.
      {"Re: =?utf-8?X?abc?= and =?utf-8?Q?no end", "Re: =?utf-8?X?abc?= and =?utf-8?Q?no end"},
      {"=?=?=?utf-8?Q?ok?=", "=?=?ok"},
  };
  for (const auto& c : cases) EXPECT_EQ(Decoded(c.raw), c.text) << c.raw;
}

TEST(EncodedWords, UndeclaredBytesAreUtf8ThenTheMessageCharsetThenWindows1252) {
  EXPECT_EQ(Decoded("Grüße"), "Grüße");
  EXPECT_EQ(Decoded("\xEF\xD4\xDE\xA3\xD4", "koi8-r"), "Отчёт");
  EXPECT_EQ(Decoded("caf\xE9 \x93ok\x94"), "café “ok”");
  // Valid UTF-8 wins over the declared charset.
  EXPECT_EQ(Decoded("Grüße", "koi8-r"), "Grüße");
  // An unknown charset's bytes read as undeclared.
  EXPECT_EQ(Decoded("=?x-unknown?Q?caf=E9?="), "café");
}

TEST(EncodedWords, JisTextBecomesShiftJisByArithmetic) {
  // "日本" in JIS X 0208 is rows 0x46 0x7C, 0x4B 0x5C; in Shift_JIS 93 FA, 96 7B.
  EXPECT_EQ(Iso2022JpToShiftJis("a\x1B$BF|K\\\x1B(Bb"),
            "a\x93\xFA\x96\x7B"
            "b");
  EXPECT_EQ(EucJpToShiftJis("\xC6\xFC\xCB\xDC\x8E\xB1"), "\x93\xFA\x96\x7B\xB1");
  // Cut short or stray bytes give '?', never a read past the end.
  EXPECT_EQ(Iso2022JpToShiftJis("\x1B$BF"), "?");
  EXPECT_EQ(EucJpToShiftJis("\xC6"), "?");
}

TEST(HeaderValues, ParametersContinuedAndEncoded) {
  const HeaderValue external = ParseHeaderValue(
      "message/external-body; access-type=URL;\r\n URL*0=\"ftp://\";\r\n "
      "URL*1=\"cs.utk.edu/pub/moore/bulk-mailer/bulk-mailer.tar\"",
      SystemCharsets());
  EXPECT_EQ(external.value, "message/external-body");
  EXPECT_EQ(external.Parameter("access-type"), "URL");
  EXPECT_EQ(external.Parameter("url"), "ftp://cs.utk.edu/pub/moore/bulk-mailer/bulk-mailer.tar");
  const HeaderValue title = ParseHeaderValue(
      "application/x-stuff; title*0*=us-ascii'en'This%20is%20even%20more%20; title*1*=%2A%2A%2Afun%2A%2A%2A%20; "
      "title*2=\"isn't it!\"",
      SystemCharsets());
  EXPECT_EQ(title.Parameter("title"), "This is even more ***fun*** isn't it!");
  const HeaderValue file = ParseHeaderValue(
      "Attachment; filename=\"old.pdf\"; filename*=windows-1251''%CE%F2%F7%B8%F2.pdf; x=\"a;b\"", SystemCharsets());
  EXPECT_EQ(file.value, "attachment");
  EXPECT_EQ(file.Parameter("filename"), "Отчёт.pdf");
  EXPECT_EQ(file.Parameter("x"), "a;b");
  EXPECT_EQ(ParseHeaderValue("text/plain; name=\"=?utf-8?B?R3LDvMOfZS50eHQ=?=\"", SystemCharsets()).Parameter("name"),
            "Grüße.txt");
}

}  // namespace
}  // namespace tessel::mail
