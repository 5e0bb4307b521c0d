// Writes the bundled sample: a message store (Inbox.imm) with its index
// (Inbox.imh) and an address book (Contacts.imb).
//
// The sample is damaged on purpose, the way real files come to us:
// - the index holds two stray entries whose lengths are implausible (0 and
//   about 4 GiB), so a walk of the index falls back to searching the store;
// - the last three messages are still in the store but no longer in the index;
// - the address book holds a wiped record and ends inside its last record.
//
// The output is deterministic: the same bytes on every run.
//
// Usage: make_samples [OUTPUT_FOLDER]   (default: samples)

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/mail_files.h"

namespace {

using tessel::mailfiles::ContactRecord;
using tessel::mailfiles::CrLfLines;

struct SampleMessage {
  std::string headers;  // header lines without the MIME part, CR LF ended
  std::string mime;     // MIME-Version line and content headers
  std::string body;     // body lines, CR LF ended
  bool indexed = true;  // false: still in the store, dropped from the index
};

std::string PlainText(const std::string& charset = "us-ascii") {
  return CrLfLines({"MIME-Version: 1.0", "Content-Type: text/plain; charset=\"" + charset + "\"",
                    "Content-Transfer-Encoding: 7bit"});
}

std::vector<SampleMessage> Messages() {
  std::vector<SampleMessage> m;

  m.push_back(
      {CrLfLines({"Return-Path: <anna.berger@example.org>", "From: \"Anna Berger\" <anna.berger@example.org>",
                  "To: Tom Hale <tom.hale@example.net>", "Subject: Lunch on Friday?",
                  "Date: Mon, 03 Mar 2008 09:14:22 +0100", "Message-ID: <20080303091422.4711@mail.example.org>"}),
       PlainText(),
       CrLfLines({"", "Hi Tom,", "", "are you free for lunch on Friday? The new place", "on Elm Street opens at noon.",
                  "", "Anna"})});

  m.push_back({CrLfLines({"From: Example Lists <news@lists.example.com>", "To: tom.hale@example.net",
                          "Subject: Weekly digest: 5 new posts", "Date: Tue, 04 Mar 2008 06:00:01 +0000",
                          "Message-ID: <digest-2008-10@lists.example.com>",
                          "List-Unsubscribe: <mailto:leave@lists.example.com>"}),
               PlainText(),
               CrLfLines({"", "This week on the gardening list:", "", "  1. Pruning roses in March",
                          "  2. Which tomato for a balcony?", "  3. Slugs, again", "  4. Seed swap in April",
                          "  5. Compost thermometers", "", "To leave the list, write to mailto:leave@lists.example.com",
                          "(a message with any subject will do)."})});

  // The recipient in capitals, as some old clients wrote it.
  m.push_back({CrLfLines({"From: Tom Hale <tom.hale@example.net>", "TO: MARIA.LOPEZ@EXAMPLE.COM",
                          "Subject: Re: Holiday photos", "Date: Tue, 04 Mar 2008 21:40:05 +0100",
                          "Message-ID: <47cdb3e5.1@example.net>", "X-Mailer: IncrediMail (5207590)"}),
               PlainText(),
               CrLfLines({"", "Maria,", "", "the photos are lovely, especially the one at the lake.",
                          "Could you send the big version of the sunset picture?", "", "Tom"})});

  m.push_back({CrLfLines({"From: Maria Lopez <maria.lopez@example.com>", "To: \"Tom Hale\" <tom.hale@example.net>",
                          "Subject: Re: Re: Holiday photos", "Date: Wed, 05 Mar 2008 08:02:57 +0100",
                          "Message-ID: <a1b2c3d4@mail.example.com>", "In-Reply-To: <47cdb3e5.1@example.net>"}),
               CrLfLines({"MIME-Version: 1.0", "Content-Type: multipart/mixed; boundary=\"----=_Part_17\""}),
               CrLfLines({"", "------=_Part_17", "Content-Type: text/plain; charset=\"us-ascii\"", "",
                          "Here it is. The full picture is in the attachment.", "", "Maria", "", "------=_Part_17",
                          "Content-Type: image/gif; name=\"sunset.gif\"", "Content-Transfer-Encoding: base64",
                          "Content-Disposition: attachment; filename=\"sunset.gif\"", "",
                          "R0lGODlhAQABAIAAAP/MmQAAACH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==", "", "------=_Part_17--"})});

  // Windows-1252 bytes in the header, never decoded by the engine.
  m.push_back({CrLfLines({"From: J\xE9r\xF4me Dupont <jerome.dupont@example.fr>", "To: tom.hale@example.net",
                          "Subject: Caf\xE9 au lait et cr\xEApes", "Date: Thu, 06 Mar 2008 14:21:10 +0100",
                          "Message-ID: <20080306142110.GA311@example.fr>"}),
               PlainText("windows-1252"),
               CrLfLines({"", "Bonjour Tom,", "", "la recette des cr\xEApes est en bas.",
                          "Il faut du lait, des \x9Clufs et de la farine.", "", "J\xE9r\xF4me"})});

  m.push_back(
      {CrLfLines({"From: Example Energy Billing <billing@energy.example>", "To: \"Tom Hale\" <tom.hale@example.net>",
                  "Subject: Your invoice for February 2008", "Date: Fri, 07 Mar 2008 03:15:00 +0000",
                  "Message-ID: <inv-2008-02-558193@energy.example>"}),
       PlainText(),
       CrLfLines({"", "Dear customer,", "", "your invoice of 48.20 EUR for February is ready.",
                  "The amount will be taken from your account on 20 March.", "", "Kind regards", "Example Energy"})});

  // A subject in an encoded word, shown as it stands.
  m.push_back({CrLfLines({"From: Lukas Wagner <lukas@example.at>", "To: Tom Hale <tom.hale@example.net>",
                          "Subject: =?iso-8859-1?Q?Gr=FC=DFe_aus_Wien?=", "Date: Sat, 08 Mar 2008 17:45:31 +0100",
                          "Message-ID: <5f3e@mail.example.at>"}),
               CrLfLines({"MIME-Version: 1.0", "Content-Type: text/plain; charset=\"iso-8859-1\"",
                          "Content-Transfer-Encoding: quoted-printable"}),
               CrLfLines({"", "Hallo Tom,", "", "viele Gr=FC=DFe aus Wien! Das Wetter ist sch=F6n.", "", "Lukas"})});

  // Body lines beginning with "From " are quoted when written as mbox.
  m.push_back({CrLfLines({"From: Anna Berger <anna.berger@example.org>", "To: committee@club.example.org",
                          "Subject: Minutes of the March meeting", "Date: Sun, 09 Mar 2008 20:05:44 +0100",
                          "Message-ID: <20080309200544.4712@mail.example.org>"}),
               PlainText(),
               CrLfLines({"", "Dear all,", "", "the minutes are below.", "",
                          "From the treasurer: the club has 1,204.50 EUR in its account.",
                          ">From the chair: the summer party is on 21 June.", "From now on we meet on Thursdays.", "",
                          "Anna"})});

  m.push_back(
      {CrLfLines({"From: Tom Hale <tom.hale@example.net>", "To: Anna Berger <anna.berger@example.org>",
                  "Subject: Re: Lunch on Friday?", "Date: Mon, 10 Mar 2008 11:30:00 +0100",
                  "Message-ID: <47d50ef8.3@example.net>", "In-Reply-To: <20080303091422.4711@mail.example.org>"}),
       PlainText(),
       CrLfLines(
           {"", "Friday at noon is fine. See you there!", "", "Tom", "", "> are you free for lunch on Friday?"})});

  // An HTML letter with a plain alternative, the kind of mail the client sent.
  m.push_back(
      {CrLfLines({"From: \"Maria Lopez\" <maria.lopez@example.com>", "To: tom.hale@example.net",
                  "Subject: Birthday card", "Date: Tue, 11 Mar 2008 07:59:12 +0100",
                  "Message-ID: <card-8812@mail.example.com>", "X-Mailer: IncrediMail (5207590)"}),
       CrLfLines({"MIME-Version: 1.0", "Content-Type: multipart/alternative; boundary=\"----=_NextPart_000_0001\""}),
       CrLfLines({"", "------=_NextPart_000_0001", "Content-Type: text/plain; charset=\"us-ascii\"", "",
                  "Happy birthday, Tom!", "", "------=_NextPart_000_0001",
                  "Content-Type: text/html; charset=\"us-ascii\"", "",
                  "<html><body bgcolor=\"#FFF8E0\"><p><b>Happy birthday, Tom!</b></p>", "<p>Maria</p></body></html>",
                  "", "------=_NextPart_000_0001--"})});

  // Still in the store, no longer in the index: only a search of the store finds these.
  m.push_back(
      {CrLfLines({"From: Anna Berger <anna.berger@example.org>", "To: tom.hale@example.net", "Subject: Train tickets",
                  "Date: Wed, 12 Mar 2008 16:12:40 +0100", "Message-ID: <20080312161240.4713@mail.example.org>"}),
       PlainText(), CrLfLines({"", "Tom, I bought the tickets for Saturday: 8.15 from platform 4.", "", "Anna"}),
       false});

  m.push_back({CrLfLines({"From:support@shop.example", "To: Tom Hale <TOM.HALE@EXAMPLE.NET>",
                          "Subject: Your order 10-4471 has shipped", "Date: Thu, 13 Mar 2008 10:00:00 +0000",
                          "Message-ID: <ship-10-4471@shop.example>"}),
               PlainText(),
               CrLfLines({"", "Your order 10-4471 (1 garden hose, 25 m) has shipped.",
                          "It should arrive within three working days.", "", "Thank you for your order"}),
               false});

  m.push_back(
      {CrLfLines({"From: Lukas Wagner <lukas@example.at>", "To: tom.hale@example.net", "Subject: Photos from Vienna",
                  "Date: Fri, 14 Mar 2008 19:27:03 +0100", "Message-ID: <5f9a@mail.example.at>"}),
       PlainText(),
       CrLfLines({"", "The photos are on the club site now, in the album", "\"Vienna 2008\".", "", "Lukas"}), false});
  return m;
}

// One index record as the client writes it; the recovery reads only the
// marker and the length (flags: read; a time stamp; the message number).
std::string IndexRecord(uint32_t length, uint32_t number) {
  return tessel::mailfiles::IndexRecord(length, 0x00000001u, 0x47CB0000u + number * 0x1234u, number);
}

struct Store {
  std::string store;
  std::string index;
};

Store BuildStore() {
  Store s;
  s.index = tessel::mailfiles::IndexHeader(1);
  uint32_t number = 0;
  for (const SampleMessage& message : Messages()) {
    const std::string text = message.headers + message.mime + message.body;
    s.store += text;
    ++number;
    if (message.indexed) s.index += IndexRecord(static_cast<uint32_t>(text.size()), number);
    // Stray entries of deleted messages whose lengths were overwritten.
    if (number == 4) s.index += IndexRecord(0xFFFFFF00u, 900);
    if (number == 7) s.index += IndexRecord(0, 901);
  }
  return s;
}

std::string BuildAddressBook() {
  std::string book("IMB\x01", 4);
  book += "IncrediMail Address Book";
  book.resize(tessel::mailfiles::kAddressBookHeaderSize, '\0');
  book[book.size() - 2] = '\x08';  // a record count the walk never reads

  book += ContactRecord({{1, "Anna"},
                         {3, "Berger"},
                         {4, "Anna Berger"},
                         {5, "anna.berger@example.org"},
                         {7, "Met at the garden club."},
                         {8, "+43 316 555 0101"},
                         {9, "Elm Street 12"},
                         {10, "Graz"},
                         {11, "Styria"},
                         {12, "8010"},
                         {13, "Austria"},
                         {15, "+43 664 555 0101"}});
  book += ContactRecord({{1, "Thomas"},
                         {2, "J."},
                         {3, "Hale"},
                         {4, "Tom Hale"},
                         {5, "tom.hale@example.net"},
                         {6, "Mr."},
                         {8, "+44 20 7946 0958"},
                         {9, "4 Riverside Walk"},
                         {10, "London"},
                         {12, "SE1 9GP"},
                         {13, "United Kingdom"},
                         {16, "http://www.example.net/~tom"}});
  book += ContactRecord({{1, "Maria"},
                         {3, "Lopez"},
                         {4, "Maria Lopez"},
                         {5, "maria.lopez@example.com"},
                         {6, "Ms."},
                         {13, "Spain"},
                         {15, "+34 600 555 023"},
                         {17, "+34 91 555 0230"},
                         {18, "Lopez & Hijos, S.L."},
                         {19, "Madrid"},
                         {20, "Madrid"},
                         {21, "Calle Mayor 5, 3\xBA"},
                         {22, "Spain"},
                         {24, "Sales Manager"},
                         {25, "+34 91 555 0231"}});
  book += ContactRecord({{1, "J\xE9r\xF4me"},
                         {3, "Dupont"},
                         {4, "J\xE9r\xF4me Dupont"},
                         {5, "jerome.dupont@example.fr"},
                         {10, "Lyon"},
                         {13, "France"}});
  // A list address: no names at all, so its name cells show single spaces.
  book += ContactRecord({{5, "news@lists.example.com"}, {7, "Gardening list"}});
  // A record wiped by the client: every field starts with NUL, junk after it.
  {
    std::string wiped = ContactRecord({});
    wiped.replace(1, 5, "x7\x01QZ");
    book += wiped;
  }
  // A web page of exactly 50 bytes fills its field without a NUL.
  book += ContactRecord({{1, "Lukas"},
                         {3, "Wagner"},
                         {4, "Lukas Wagner"},
                         {5, "lukas@example.at"},
                         {10, "Wien"},
                         {13, "Austria"},
                         {16, "http://www.example.at/people/lukas-wagner/home.htm"}});
  // The file ends inside the last record, in its notes field.
  {
    std::string cut = ContactRecord({{1, "Chris"},
                                     {3, "Novak"},
                                     {4, "Chris Novak"},
                                     {5, "chris.novak@example.cz"},
                                     {7, "Climbing partner; call before noon."}});
    book += cut.substr(0, 520);
  }
  return book;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("wrote %s (%zu bytes)\n", path.c_str(), bytes.size());
  return true;
}

// The index must hold markers only where entries were written; a marker made
// by chance from neighbouring bytes would change what the walk finds.
bool MarkersOnlyAtEntries(const std::string& index) {
  const std::string_view marker = tessel::mailfiles::kIndexEntryMarker;
  size_t expected = tessel::mailfiles::IndexHeader().size();
  for (size_t at = index.find(marker); at != std::string::npos; at = index.find(marker, at + 1)) {
    if (at != expected) return false;
    expected += tessel::mailfiles::kIndexRecordSize;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "samples";
  const Store s = BuildStore();
  if (!MarkersOnlyAtEntries(s.index)) {
    std::fprintf(stderr, "make_samples: stray marker in the index\n");
    return 1;
  }
  const bool ok = WriteFile(folder + "/Inbox.imm", s.store) && WriteFile(folder + "/Inbox.imh", s.index) &&
                  WriteFile(folder + "/Contacts.imb", BuildAddressBook());
  return ok ? 0 : 1;
}
