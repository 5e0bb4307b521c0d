// The product's pages on the web, opened by the link row and on exit.
#pragma once

inline constexpr char kHomePageUrl[] = "https://www.oxbrim-tessel.example/incredimail/";
inline constexpr char kSupportPageUrl[] = "https://www.oxbrim-tessel.example/support/";
inline constexpr char kOnlineHelpPageUrl[] = "https://www.oxbrim-tessel.example/incredimail/help/";
inline constexpr char kPurchasePageUrl[] = "https://www.oxbrim-tessel.example/incredimail/buy/";
