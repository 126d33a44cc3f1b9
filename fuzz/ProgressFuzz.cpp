// Fuzz target: Configdat.cfg text read over a fresh form's defaults, then written and read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzForm.h"
#include "frontend/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzform::FormOnNullDevices made;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  frontend::ParseProgress(input, made.Form());
  const std::string written = frontend::FormatProgress(made.Form());
  fuzzform::FormOnNullDevices other;
  frontend::ParseProgress(written, other.Form());
  fuzzcheck::Require(frontend::FormatProgress(other.Form()) == written,
                     "Configdat.cfg survives a write and a read");
  return 0;
}
