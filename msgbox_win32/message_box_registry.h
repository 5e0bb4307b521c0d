#pragma once
// The box's remembered answers: 4-byte values under the current user's
// "Software\<program file>\KVMessageBox" (or with the remember company as a
// level above the program). Registry failures are not errors: nothing is
// remembered, or nothing is found.
#include <cstdint>
#include <optional>
#include <string>

#include "msgbox/message_box_call.h"

namespace tessel {

// The program's full path.
std::string ProgramPath();

std::optional<std::uint32_t> ReadRememberedAnswer(const MessageBoxParams& params);
void StoreRememberedAnswer(const MessageBoxParams& params, std::uint32_t answer);

}  // namespace tessel
