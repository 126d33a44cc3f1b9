// Fuzz target: the 5-bit text codec decodes anything and round-trips texts padded to five.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "online/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)online::decode(input);
  (void)online::StripTrailing(std::string(input), '%');
  const std::string padded = online::PadToFive(std::string(input), '%');
  fuzzcheck::Require(online::decode(online::encode(padded)) == padded,
                     "a text padded to five survives the codec");
  return 0;
}
