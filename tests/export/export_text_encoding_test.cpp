// Cell bytes as UTF-8: valid sequences kept, every other byte read in a code page.
#include <gtest/gtest.h>

#include "export/text_encoding.h"

namespace tessel::exporting {
namespace {

TEST(Utf8Fallback, KeepsValidUtf8AndReadsOtherBytesAsWindows1252) {
  EXPECT_EQ(ToUtf8("Caf\xC3\xA9"), "Caf\xC3\xA9");
  EXPECT_EQ(ToUtf8("Caf\xE9"), "Caf\xC3\xA9");                            // é
  EXPECT_EQ(ToUtf8("\x80\x93\x9F"), "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8");  // € “ Ÿ
  EXPECT_EQ(ToUtf8("\x81\x8D"), "\xC2\x81\xC2\x8D");                      // unassigned: same code point
  EXPECT_EQ(ToUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");              // a 4-byte sequence
}

TEST(Utf8Fallback, RejectsMalformedSequencesBytewise) {
  EXPECT_EQ(ToUtf8("\xC3"), "\xC3\x83");                              // cut short at the end
  EXPECT_EQ(ToUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");                  // overlong slash
  EXPECT_EQ(ToUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");  // surrogate
  EXPECT_EQ(ToUtf8("\xF4\x90\x80\x80").substr(0, 2), "\xC3\xB4");     // beyond U+10FFFF
  EXPECT_EQ(ToUtf8("\xE9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");            // mixed in one cell
}

}  // namespace
}  // namespace tessel::exporting
