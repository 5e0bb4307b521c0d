// Address lists as people wrote them: the standard's examples, encoded and
// quoted names, groups, comments and the obsolete forms.
#include <gtest/gtest.h>

#include "mail/address_list.h"

namespace tessel::mail {
namespace {

std::string Readable(std::string_view raw) { return FormatMailboxes(ParseAddressList(raw, nullptr, SystemCharsets())); }

TEST(AddressList, ReadsNamesAndAddressesAsPeopleWriteThem) {
  const struct {
    const char* raw;
    const char* readable;
  } cases[] = {
      {"\"Joe Q. Public\" <john.q.public@example.com>", "Joe Q. Public <john.q.public@example.com>"},
      {"Mary Smith <mary@x.test>, jdoe@example.org, Who? <one@y.test>",
       "Mary Smith <mary@x.test>, jdoe@example.org, Who? <one@y.test>"},
      {"<boss@nil.test>, \"Giant; \\\"Big\\\" Box\" <sysservices@example.net>",
       "boss@nil.test, Giant; \"Big\" Box <sysservices@example.net>"},
      {"A Group:Ed Jones <c@a.test>,joe@where.test,John <jdoe@one.test>;",
       "Ed Jones <c@a.test>, joe@where.test, John <jdoe@one.test>"},
      {"Undisclosed recipients:;", ""},
      {"Pete(A nice \\) chap) <pete(his account)@silly.test(his host)>", "Pete <pete@silly.test>"},
      {"<@relay.test,@other.test:joe@example.com>", "joe@example.com"},
      {"jsmith@example.com (John Smith)", "John Smith <jsmith@example.com>"},
      {"=?koi8-r?B?79Teo9Q=?=\r\n <otchet@example.ru>", "Отчёт <otchet@example.ru>"},
      {"\"=?iso-8859-1?Q?J=F6rg_M=FCller?=\" <joerg@example.de>", "Jörg Müller <joerg@example.de>"},
      {"=?utf-8?Q?Ana?= =?utf-8?Q?_Mar=C3=ADa?= <ana@example.es>, \"Smith, Bob\" <bob@example.com>",
       "Ana María <ana@example.es>, Smith, Bob <bob@example.com>"},
      {"\"bob@example.com\" <bob@example.com>", "bob@example.com"},
      {"=?utf-8?Q?M=C3=BCller,_Hans?= <hans@example.de>, =?iso-8859-1?Q?Dupont,=20J=E9r=F4me:?= <jd@example.fr>",
       "Müller, Hans <hans@example.de>, Dupont, Jérôme: <jd@example.fr>"},
      {"Friends", "Friends"},
  };
  for (const auto& c : cases) EXPECT_EQ(Readable(c.raw), c.readable) << c.raw;
}

}  // namespace
}  // namespace tessel::mail
