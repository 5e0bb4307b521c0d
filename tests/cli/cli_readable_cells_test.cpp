// tessel scan's cells for people: read from each record's whole header block
// (past relay lines the stored cells never reach), decoded, in every format
// with --readable and in the table by default.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/row_pipe.h"
#include "tests/cli/tessel_run.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace mailfiles = tessel::mailfiles;
using Result = tessel::testing::Run;

std::string RelayLines() {
  std::vector<std::string> lines;
  for (int hop = 0; hop < 60; ++hop) {
    lines.push_back("Received: from relay" + std::to_string(hop) + ".example.net (relay.example.net [192.0.2.7])");
    lines.push_back("\tby mx" + std::to_string(hop) + ".example.org with ESMTPS; Tue, 4 Mar 2003 10:00:00 +0000");
    lines.push_back("ARC-Seal: i=1; a=rsa-sha256; cv=none; d=example.net; s=arc; b=c2lnbmF0dXJlIGZpbGxlciBieXRlcw==");
  }
  return mailfiles::CrLfLines(lines);
}

class ReadableScan : public ::testing::Test {
 protected:
  void SetUp() override {
    relayed_ =
        "MIME-Version: 1.0\r\n" + RelayLines() +
        mailfiles::CrLfLines({"From: =?windows-1251?B?yOLg7SDP5fLw7uI=?= <ivan@example.ru>",
                              "To: \"Anna K.\" <anna@example.org>,", " Team: bob@example.org, eve@example.org;",
                              "Subject: =?iso-8859-1?Q?Gr=FC=DFe_aus_Wien?=", "Date: Tue, 4 Mar 2003 13:05:00 +0300",
                              "", "Body"});
    plain_ = mailfiles::CrLfLines({"MIME-Version: 1.0", "From: lukas@example.at",
                                   "Subject: =?KOI8-R?B?79Teo9Q=?=", "Date: sometime in March", "", "Body"});
    std::ofstream(Path("Inbox.imm"), std::ios::binary) << relayed_ + plain_;
  }
  std::string Path(const std::string& name) const { return scratch_.Root() + "/" + name; }
  Result Tessel(const std::string& args) {
    return tessel::testing::RunTessel(args + " '" + Path("Inbox.imm") + "'", scratch_.Root());
  }

  tessel::testing::ScratchFolder scratch_;
  std::string relayed_, plain_;
};

TEST_F(ReadableScan, EveryFormatGivesTheCellsPeopleRead) {
  const std::string a = std::to_string(relayed_.size()), b = std::to_string(plain_.size());
  const std::string readableRows =
      "Иван Петров <ivan@example.ru>\tGrüße aus Wien\tAnna K. <anna@example.org>, bob@example.org, "
      "eve@example.org\t2003-03-04 13:05 +0300\t0\t" +
      a + "\n" + "lukas@example.at\tОтчёт\t\tsometime in March\t" + a + "\t" + b + "\n";
  Result run = Tessel("scan --readable --format tsv");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, readableRows);

  // The deep scan finds the same records and keeps its origin cell.
  run = Tessel("scan --deep --readable --format tsv");
  EXPECT_EQ(run.out,
            "Иван Петров <ivan@example.ru>\tGrüße aus Wien\tAnna K. <anna@example.org>, bob@example.org, "
            "eve@example.org\t2003-03-04 13:05 +0300\t0\t" +
                a + "\tstore\n" + "lukas@example.at\tОтчёт\t\tsometime in March\t" + a + "\t" + b + "\tstore\n");

  run = Tessel("scan --readable --format json");
  EXPECT_EQ(run.out,
            "[\n  {\"cells\": [\"Иван Петров <ivan@example.ru>\", \"Grüße aus Wien\", "
            "\"Anna K. <anna@example.org>, bob@example.org, eve@example.org\", \"2003-03-04 13:05 +0300\", "
            "\"0\", \"" +
                a +
                "\"], \"date_utc\": \"2003-03-04T10:05:00Z\"},\n"
                "  {\"cells\": [\"lukas@example.at\", \"Отчёт\", \"\", \"sometime in March\", \"" +
                a + "\", \"" + b + "\"], \"date_utc\": null}\n]\n");

  // The table reads them by default; --stored shows the stored bytes, and
  // tsv keeps them unless asked.
  run = Tessel("scan");
  EXPECT_NE(run.out.find("Grüße aus Wien"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Отчёт"), std::string::npos) << run.out;
  run = Tessel("scan --stored");
  EXPECT_EQ(run.out.find("Grüße aus Wien"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("=?KOI8-R?B?79Teo9Q=?="), std::string::npos) << run.out;
  run = Tessel("scan --format tsv");
  EXPECT_EQ(run.out.find("Иван"), std::string::npos) << run.out;

  run = Tessel("scan --readable --stored");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--readable and --stored"), std::string::npos) << run.err;
}

TEST_F(ReadableScan, ShowGivesAMessageForPeopleAndItsAttachments) {
  const std::string html = mailfiles::CrLfLines({"MIME-Version: 1.0",
                                                 "From: \"Example Shop\" <shop@example.com>",
                                                 "To: anna@example.org",
                                                 "Subject: =?utf-8?B?WW91ciBvcmRlciDigJQgaW52b2ljZQ==?=",
                                                 "Date: Wed, 5 Mar 2003 08:00:00 GMT",
                                                 "Content-Type: multipart/mixed; boundary=\"b\"",
                                                 "",
                                                 "--b",
                                                 "Content-Type: text/html; charset=iso-8859-1",
                                                 "Content-Transfer-Encoding: quoted-printable",
                                                 "",
                                                 "<p>Gr=FC=DFe,</p><p>see <a href=3D\"https://shop.example/o=",
                                                 "/1\">your order</a>.</p>",
                                                 "--b",
                                                 "Content-Type: application/octet-stream",
                                                 "Content-Disposition: attachment; filename=\"invoice.bin\"",
                                                 "Content-Transfer-Encoding: base64",
                                                 "",
                                                 "AAEC/w==",
                                                 "--b--"});
  std::ofstream(Path("Inbox.imm"), std::ios::binary | std::ios::app) << html;
  const auto show = [&](const std::string& args) {
    return tessel::testing::RunTessel("show " + args + " '" + Path("Inbox.imm") + "' 3", scratch_.Root());
  };
  Result run = show("--text");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "From: Example Shop <shop@example.com>\nTo: anna@example.org\nDate: 2003-03-05 08:00 +0000\n"
            "Subject: Your order — invoice\n\nGrüße,\n\nsee your order <https://shop.example/o/1>.\n\n"
            "Attachments (tessel show ... --part K writes one):\n  1. invoice.bin (4 bytes)\n");
  run = show("--part 1 --to '" + Path("invoice.bin") + "'");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::ifstream saved(Path("invoice.bin"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), std::string("\x00\x01\x02\xFF", 4));
  run = show("--part 1 --to '" + Path("invoice.bin") + "'");
  EXPECT_EQ(run.exitCode, 1) << "never overwritten";
  run = show("--part 2");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("has 1 attachments"), std::string::npos) << run.err;
}

// The rows a scan hands to the second thread reach the handler whole, in
// order, once each; a handler that wants no more stops both threads.
TEST(RowPipe, HandsEveryRowOnInOrderUntilTheHandlerWantsNoMore) {
  for (const long long stopAfter : {-1LL, 300LL}) {
    std::vector<long long> seen;
    bool whole = true;
    tessel::cli::RowPipe pipe([&](long long number, const tessel::MessageRow& row) {
      seen.push_back(number);
      whole = whole && row.record.offset == number * 10 && row.cells[0] == "row " + std::to_string(number);
      return number != stopAfter;
    });
    tessel::MessageRow row;
    long long added = 0;
    for (long long number = 1; number <= 5000; ++number) {
      row.record = {number * 10, 10};
      row.cells.Set(0, "row " + std::to_string(number));
      if (!pipe.Add(number, row)) break;
      added = number;
    }
    pipe.Finish();
    EXPECT_TRUE(whole);
    const long long last = stopAfter < 0 ? 5000 : stopAfter;
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(last));
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], static_cast<long long>(i) + 1);
    // The scan learns of the stop while it is still adding rows.
    if (stopAfter > 0) {
      EXPECT_LT(added, 5000);
    }
  }
}

}  // namespace
