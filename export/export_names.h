// The names of the files that a save writes, shared by `tessel export` and
// `tessel contacts` and by the wizard's Save, so that both produce the same
// files for the same rows.
#pragma once

#include <string>
#include <string_view>

namespace tessel::exporting {

// Characters a file-name prefix may not hold: the file systems refuse them.
inline constexpr std::string_view kForbiddenInPrefix = "/\\|*:?<>'\"";

// True when `prefix` holds none of kForbiddenInPrefix and no control character
// (an empty prefix passes; callers that need one say so).
bool IsValidPrefix(std::string_view prefix);

// "MailRec0007.eml": the prefix, the row number (numbered from 1) with at least
// four digits so that names sort, and ".eml".
std::string MessageFileName(std::string_view prefix, long long row);

// The contacts files of a save: "AddBook" and the format's extension.
inline constexpr char kContactFileStem[] = "AddBook";
inline constexpr char kContactTextFileName[] = "AddBook.txt";
inline constexpr char kContactVCardFileName[] = "AddBook.vcf";

// The name to try the `attempt`-th time (from 1) when earlier names exist:
// "MailRec0007.eml", then "MailRec0007 (2).eml", "MailRec0007 (3).eml", ...
// The number goes before the last "." of the file name (at its end when there
// is none); `name` may be a path, whose folders stay as they are.
std::string NumberedFileName(std::string_view name, int attempt);

}  // namespace tessel::exporting
