// Where the link row, the About box and exit lead: pages of the help file
// installed beside the program, which every copy has, and the web home page
// only when the build was given a real one.
#pragma once

// Pages of the help file (res/help/).
inline constexpr char kOverviewHelpPage[] = "index.htm";
inline constexpr char kSupportHelpPage[] = "support.htm";
inline constexpr char kFreeOfChargeHelpPage[] = "free.htm";
inline constexpr char kMovingHelpPage[] = "moving.htm";

// The CMake option TESSEL_HOME_PAGE; empty unless the build names one. With
// one, Home opens it and so does exit; without, Home opens the overview and
// exit opens nothing.
inline constexpr char kHomePageUrl[] = TESSEL_HOME_PAGE;
inline constexpr bool HasHomePage() { return kHomePageUrl[0] != '\0'; }
