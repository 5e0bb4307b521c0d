// Content-Type and Content-Disposition values: the type and the parameters,
// RFC 2231's continued and charset-encoded parameters joined and decoded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/charset_port.h"

namespace tessel::mail {

struct HeaderValue {
  std::string value;                                            // "text/plain", "attachment", lower case
  std::vector<std::pair<std::string, std::string>> parameters;  // names lower case, values as UTF-8

  // The parameter's value; empty when absent.
  std::string Parameter(std::string_view name) const;
};

HeaderValue ParseHeaderValue(std::string_view raw, CharsetPort& port);

}  // namespace tessel::mail
