// The wizard's words for a move, apart from its window so that they are
// tested natively: each input's row (its name, what was found, its state) and
// the line and notice at the end, with the move's counts.
#pragma once

#include <string>

#include "moving/identity_export.h"

namespace tessel::moving {

// The title of the help's page on importing, as the end's link shows it.
inline constexpr char kMovingHelpTitle[] = "Moving your mail to another program";

// The input's path within the folder, as Windows writes paths.
std::string MoveNameText(const InputReport& input);
// "12 messages", "3 contacts"; empty while it waits or when it has no store.
std::string MoveFoundText(const InputReport& input);
// `ended`: the move is over, so an input still waiting was never begun.
std::string MoveStateText(const InputReport& input, bool ended);

// The line beside the rows and the notice, at the end.
struct MoveEndText {
  std::string line;
  std::string notice;  // rich text
  bool failed = false;
};

// `output`: the folder written into, linked from the notice.
MoveEndText DescribeMoveEnd(const IdentityExportResult& result, const std::string& output);

}  // namespace tessel::moving
