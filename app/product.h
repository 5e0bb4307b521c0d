// The product's title and the files it expects beside itself.
#pragma once

// Shown in every caption and message box.
inline constexpr char kProductTitle[] = "Oxbrim Tessel IncrediMail";
// Looked for beside the program.
inline constexpr char kHelpFileName[] = "Oxbrim Tessel IncrediMail.chm";
inline constexpr char kLiveUpdateFileName[] = "Tessel Live Update.exe";
// Tells the updater which product started it.
inline constexpr char kLiveUpdateParameter[] = "<OTMD>";
