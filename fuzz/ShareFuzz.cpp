// Fuzz target: the exit screen's description (wdata/config.ini) read from any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/OmegaImageList.h"
#include "online/Share.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  engine::TOmegaImageList list(nullptr);
  online::TShareScreen share(list, nullptr, nullptr);
  // A folder that does not exist: no picture or link the text names is ever opened.
  share.BaseDir = "/nonexistent-vornakel-fuzz";
  const bool valid = share.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (valid) {
    share.UpdateHover(0, 0);
    (void)share.CountdownText();
  }
  return 0;
}
