#pragma once
// String resources of a module (null: the program's own), read from its string table.
#include "msgbox/message_box_call.h"

namespace tessel {

class ModuleStringResources : public StringResources {
 public:
  std::string Load(ModuleHandle module, std::uint32_t id) const override;
};

}  // namespace tessel
