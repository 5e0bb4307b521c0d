// The bundled sample is what its generator writes, and it shows what the demo
// promises: damaged index entries that send the scan to the store, and
// messages that only the search of the store finds.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace {

using tessel::testing::ReadAll;

// The tsv rows of `tessel scan`, each split into its cells.
std::vector<std::vector<std::string>> ScanRows(const std::string& path) {
  const std::string command = std::string("'") + TESSEL_BINARY + "' scan --format tsv '" + path + "'";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  EXPECT_EQ(::pclose(pipe), 0);
  std::vector<std::vector<std::string>> rows;
  std::stringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells(1);
    for (const char c : line) {
      if (c == '\t') {
        cells.emplace_back();
      } else {
        cells.back() += c;
      }
    }
    rows.push_back(cells);
  }
  return rows;
}

const std::string kSamples = SAMPLES_DIR;
const std::string kWizardData = WIZARD_DATA_DIR;

// What a command prints on stdout.
std::string Output(const std::string& command) {
  std::FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  EXPECT_EQ(::pclose(pipe), 0) << command;
  return out;
}

TEST(Samples, AreWhatTheGeneratorWrites) {
  tessel::testing::ScratchFolder scratch;
  const std::string folder = scratch.Root();
  ASSERT_EQ(std::system(("'" + std::string(MAKE_SAMPLES) + "' '" + folder + "' >/dev/null").c_str()), 0);
  for (const char* name : {"Inbox.imm", "Inbox.imh", "Contacts.imb"}) {
    EXPECT_EQ(ReadAll(folder + "/" + name), ReadAll(kSamples + "/" + name)) << name;
  }
}

TEST(Samples, IndexWalkFallsBackToTheStoreAndFindsUnindexedMail) {
  const auto walked = ScanRows(kSamples + "/Inbox.imh");
  const auto searched = ScanRows(kSamples + "/Inbox.imm");
  ASSERT_EQ(searched.size(), 13u);
  // Four entries before the first damaged one, then the whole store once (the
  // second damaged entry scans no more), then the six entries after it, at
  // the offsets the store search finds them: each record is listed once, where
  // it was found first, and the ten found again are counted.
  EXPECT_EQ(walked, searched);
  EXPECT_TRUE(Output("'" + std::string(TESSEL_BINARY) + "' scan '" + kSamples + "/Inbox.imh'")
                  .ends_with("\n10 rows naming a record listed before left out\n"));
  // The last three are in the store only.
  EXPECT_EQ(searched[10][1], "Train tickets");
  EXPECT_EQ(searched[11][1], "Your order 10-4471 has shipped");
  EXPECT_EQ(searched[12][1], "Photos from Vienna");
  EXPECT_EQ(searched[2][2], "maria.lopez@example.com");  // "TO:" in capitals
  EXPECT_EQ(searched[0][4], "0");
  EXPECT_EQ(std::stoll(searched[12][4]) + std::stoll(searched[12][5]),
            static_cast<long long>(ReadAll(kSamples + "/Inbox.imm").size()));
}

TEST(Samples, AddressBookListsTheLastContactFirst) {
  const auto contacts = ScanRows(kSamples + "/Contacts.imb");
  ASSERT_EQ(contacts.size(), 8u);
  for (const auto& row : contacts) EXPECT_EQ(row.size(), 23u);
  EXPECT_EQ(contacts[0][0], "Chris Novak ");  // the record the file ends in
  EXPECT_EQ(contacts[2][0], " ");             // the wiped record stays
  EXPECT_EQ(contacts[7][0], "Anna Berger ");
  EXPECT_EQ(contacts[1][14], "http://www.example.at/people/lukas-wagner/home.htm");  // 50 bytes
}

// The Windows tests compare the wizard's list (its cells for people) and saved
// contacts with these files; they must stay what tessel prints and writes.
TEST(Samples, WizardTestDataIsWhatTesselPrintsAndWrites) {
  for (const char* name :
       {"Inbox.imm", "Inbox.imh", "Contacts.imb", "Truncated.imh", "Truncated.imm", "Spliced.imh", "Unsigned.imh"}) {
    const std::string input = std::string(name).starts_with("Inbox") || std::string(name).starts_with("Contacts")
                                  ? kSamples + "/" + name
                                  : kWizardData + "/" + name;
    EXPECT_EQ(Output("'" + std::string(TESSEL_BINARY) + "' scan --readable --format tsv '" + input + "'"),
              ReadAll(kWizardData + "/" + name + ".tsv"))
        << name;
  }
  EXPECT_EQ(
      Output("'" + std::string(TESSEL_BINARY) + "' scan --deep --readable --format tsv '" + kSamples + "/Inbox.imh'"),
      ReadAll(kWizardData + "/Inbox.imh.deep.tsv"));
  tessel::testing::ScratchFolder scratch;
  for (const char* format : {"txt", "vcf"}) {
    Output("'" + std::string(TESSEL_BINARY) + "' contacts --format " + format + " '" + kSamples +
           "/Contacts.imb' --to '" + scratch.Root() + "' >/dev/null");
    EXPECT_EQ(ReadAll(scratch.Root() + "/AddBook." + format), ReadAll(kWizardData + "/Contacts.imb." + format))
        << format;
  }
}

}  // namespace
