// Fuzz target: the image archive reader must reject any damaged archive without reading out of
// bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "engine/OilArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<engine::OilItem> items;
  std::string error;
  if (engine::ReadOilArchive(data, size, items, error)) {
    // What was read whole must write back into an archive that reads again.
    const std::vector<uint8_t> again = engine::WriteOilArchive(items);
    std::vector<engine::OilItem> reread;
    fuzzcheck::Require(engine::ReadOilArchive(again.data(), again.size(), reread, error),
                       "a written archive reads again");
    fuzzcheck::Require(reread.size() == items.size(), "a written archive keeps its items");
  }
  return 0;
}
