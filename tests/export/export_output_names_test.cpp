#include "export/output_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessel::exporting {
namespace {

// Every name here once gave an output that was lost or went elsewhere on Windows or beside --to.
TEST(OutputNamesTest, SafeFileNameNeverGivesADotFolderADeviceOrANameWindowsTrims) {
  for (const char* empty : {"", ".", "..", "...", " . ", "a"}) {
    EXPECT_EQ(SafeFileName(empty, "messages"), std::string(empty) == "a" ? "a" : "messages") << '"' << empty << '"';
  }
  EXPECT_EQ(SafeFileName("NUL", "m"), "NUL_");
  EXPECT_EQ(SafeFileName("con", "m"), "con_");
  EXPECT_EQ(SafeFileName("Com1.backup", "m"), "Com1_.backup") << "a device whatever the extension";
  EXPECT_EQ(SafeFileName("LPT9", "m"), "LPT9_");
  EXPECT_EQ(SafeFileName("aux .old", "m"), "aux_ .old") << "Windows ignores the spaces before the dot";
  for (const char* plain : {"COM0", "CONSOLE", "nullable", "Mail - con"}) EXPECT_EQ(SafeFileName(plain, "m"), plain);
  EXPECT_EQ(SafeFileName("Inbox. ", "m"), "Inbox");
  EXPECT_EQ(SafeFileName("a:b?c*d|e\"f<g>h\\i/j\x01k", "m"), "a_b_c_d_e_f_g_h_i_j_k");

  // A long name is cut after the last whole UTF-8 character that fits, wherever the limit falls in one.
  for (const std::string character : {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x93\xA7"}) {  // é € 📧
    for (std::size_t lead = 0; lead < character.size(); ++lead) {
      std::string name(lead, 'a');
      while (name.size() <= kLongestStem) name += character;
      const std::string cut = SafeFileName(name, "m");
      EXPECT_EQ(name.compare(0, cut.size(), cut), 0);
      EXPECT_LE(cut.size(), kLongestStem);
      EXPECT_GT(cut.size() + character.size(), kLongestStem) << "cut short of the limit";
      EXPECT_EQ((cut.size() - lead) % character.size(), 0u) << "cut inside a character";
    }
  }
}

TEST(OutputNamesTest, UniqueNamesIgnoreCaseAndKeepAStoresTwoFilesTogether) {
  UniqueNames names;
  EXPECT_EQ(names.Take("Inbox"), "Inbox");
  EXPECT_EQ(names.Take("INBOX"), "INBOX (2)");
  EXPECT_TRUE(names.Reserve("inbox (3)"));
  EXPECT_FALSE(names.Reserve("Inbox (3)"));
  EXPECT_EQ(names.Take("Inbox"), "Inbox (4)");

  // A store named like another's second file must not take that file's name.
  const std::initializer_list<std::string_view> store = {".mbox", " (found only in the store).mbox"};
  EXPECT_EQ(names.Take("Sent", store), "Sent");
  EXPECT_EQ(names.Take("Sent (found only in the store)", store), "Sent (found only in the store) (2)");
  // Nor the other way round, in the order a folder lists "Mail (found only in the store).imm" and "Mail.imm".
  EXPECT_EQ(names.Take("Mail (found only in the store)", store), "Mail (found only in the store)");
  EXPECT_EQ(names.Take("Mail", store), "Mail (2)");
  EXPECT_EQ(names.Take("Sent", {".vcf", ".csv"}), "Sent") << "other endings: no clash";
  EXPECT_EQ(names.Take("Sent", {".csv"}), "Sent (2)");

  // Many stores of one name: every one its own.
  std::set<std::string> given;
  for (int i = 0; i < 20000; ++i) given.insert(names.Take("Folder"));
  EXPECT_EQ(given.size(), 20000u);
  EXPECT_EQ(given.count("Folder (20000)"), 1u);
}

}  // namespace
}  // namespace tessel::exporting
