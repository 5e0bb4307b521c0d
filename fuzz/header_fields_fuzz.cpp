// Header field extraction against the plain search of the window model: the
// four cells of any message text must be the model's.
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "tests/engine/scan_fixture.h"
#include "tests/engine/window_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(tessel::testing::ExtractedCells(text) == tessel::reference::HeaderCells(text));
  return 0;
}
