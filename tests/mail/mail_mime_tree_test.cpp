// What a person reads of whole messages: the body's text from plain, encoded
// and HTML-only mail, and the attachments of mixed mail and of a bounce.
#include <gtest/gtest.h>

#include "mail/html_text.h"
#include "mail/mime_tree.h"

namespace tessel::mail {
namespace {

MessageText Read(const std::string& message, MimePart& root) {
  root = ParseMime(message, SystemCharsets());
  return ReadMessageText(root, SystemCharsets());
}

TEST(MimeTree, MixedMailGivesItsTextAndNamedAttachments) {
  const std::string message =
      "From: Ivan <ivan@example.ru>\r\nSubject: report\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/mixed;\r\n boundary=\"----=_NextPart_000_0012\"\r\n\r\n"
      "This is a multi-part message in MIME format.\r\n\r\n"
      "------=_NextPart_000_0012\r\n"
      "Content-Type: multipart/alternative; boundary=\"inner\"\r\n\r\n"
      "--inner\r\nContent-Type: text/plain; charset=\"koi8-r\"\r\nContent-Transfer-Encoding: base64\r\n\r\n"
      "8NLJ18XUISDv1N6j1CDXzyDXzM/Wxc7JyS4NCg==\r\n"
      "--inner\r\nContent-Type: text/html; charset=utf-8\r\n\r\n<p>not this</p>\r\n--inner--\r\n"
      "------=_NextPart_000_0012\r\n"
      "Content-Type: application/pdf\r\nContent-Transfer-Encoding: base64\r\n"
      "Content-Disposition: attachment;\r\n filename*=windows-1251''%CE%F2%F7%B8%F2.pdf\r\n\r\n"
      "JVBERi0xLjQK\r\n"
      "------=_NextPart_000_0012\r\n"
      "Content-Type: text/plain; name=\"notes.txt\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
      "caf=E9 =\r\nau lait\r\n"
      "------=_NextPart_000_0012--\r\nepilogue\r\n";
  MimePart root;
  const MessageText text = Read(message, root);
  EXPECT_EQ(text.body, "Привет! Отчёт во вложении.\r\n");
  ASSERT_EQ(text.attachments.size(), 2U);
  EXPECT_EQ(text.attachments[0].name, "Отчёт.pdf");
  EXPECT_EQ(DecodedBody(*text.attachments[0].part), "%PDF-1.4\n");
  EXPECT_EQ(text.attachments[0].size, 9U);
  EXPECT_EQ(text.attachments[1].name, "notes.txt");
  EXPECT_EQ(DecodedBody(*text.attachments[1].part), "caf\xE9 au lait");
}

TEST(MimeTree, ABounceListsTheReturnedMessage) {
  const std::string message =
      "From: Mail Delivery Subsystem <mailer-daemon@example.net>\r\nSubject: Undelivered Mail\r\n"
      "Content-Type: multipart/report; report-type=delivery-status; boundary=\"B1\"\r\n\r\n"
      "--B1\r\nContent-Type: text/plain\r\n\r\nThe message could not be delivered.\r\n"
      "--B1\r\nContent-Type: message/delivery-status\r\n\r\nAction: failed\r\nStatus: 5.1.1\r\n"
      "--B1\r\nContent-Type: message/rfc822\r\n\r\n"
      "From: tom@example.net\r\nSubject: =?utf-8?Q?Gr=C3=BC=C3=9Fe?=\r\n\r\nHello\r\n"
      "--B1--\r\n";
  MimePart root;
  const MessageText text = Read(message, root);
  EXPECT_EQ(text.body, "The message could not be delivered.");
  ASSERT_EQ(text.attachments.size(), 2U);
  EXPECT_EQ(text.attachments[0].name, "attachment 1");
  EXPECT_EQ(text.attachments[1].name, "Grüße.eml");
  EXPECT_EQ(DecodedBody(*text.attachments[1].part),
            "From: tom@example.net\r\nSubject: =?utf-8?Q?Gr=C3=BC=C3=9Fe?=\r\n\r\nHello");
}

TEST(MimeTree, DamagedStructureStaysReadable) {
  // No closing delimiter, a part without a header, a boundary never used,
  // nesting beyond reason: parts are still listed, nothing read past the end.
  std::string nested = "Content-Type: multipart/mixed; boundary=a\r\n\r\n";
  for (int i = 0; i < 200; ++i) nested += "--a\r\nContent-Type: multipart/mixed; boundary=a\r\n\r\n";
  MimePart root;
  EXPECT_TRUE(Read(nested, root).body.empty());
  const MessageText cut = Read(
      "Content-Type: multipart/mixed; boundary=x\r\n\r\n--x\r\n\r\nfirst, not --x here\r\n--x\r\n"
      "Content-Type: image/png; name=a.png\r\nContent-Transfer-Encoding: base64\r\n\r\niVBO",
      root);
  EXPECT_EQ(cut.body, "first, not --x here") << "a delimiter starts a line";
  ASSERT_EQ(cut.attachments.size(), 1U);
  EXPECT_EQ(cut.attachments[0].size, 3U);
  EXPECT_EQ(Read("Content-Type: multipart/mixed; boundary=zz\r\n\r\nno parts at all", root).body, "");
}

TEST(HtmlText, KeepsParagraphsLinesAndLinks) {
  EXPECT_EQ(
      HtmlToText(
          "<html><head><title>x</title><style>p{color:red}</style></head><body>"
          "<p>Dear   Tom,</p><p>the <b>new</b> prices&nbsp;are\r\n <a href=\"https://shop.example/p?a=1&amp;b=2\">"
          "here</a>.<br>Write to <a href=\"mailto:anna@example.org\">anna@example.org</a>"
          "<script>alert('x')</script></p><ul><li>one</li><li>two &lt;3 &#8364;&#x263A;</li></ul>"
          "<!-- <p>hidden</p> --><div>Anna</div></body></html>"),
      "Dear Tom,\n\nthe new prices are here <https://shop.example/p?a=1&b=2>.\n"
      "Write to anna@example.org\n\n- one\n- two <3 €☺\n\nAnna");
  EXPECT_EQ(HtmlToText("<p>x < y"), "x < y");
}

}  // namespace
}  // namespace tessel::mail
