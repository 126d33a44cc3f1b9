// Fuzz target: Config.cfg text (and the same bytes as vornakel.ini with the high-score
// difficulties) read over a fresh form's defaults, then written and read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzForm.h"
#include "frontend/HiScoreDifficulty.h"
#include "frontend/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzform::FormOnNullDevices made;
  game::TForm1& form = made.Form();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool fullScreen = frontend::ParseConfig(input, form);
  // Whatever was taken in must survive a write and a read unchanged.
  const std::string written = frontend::FormatConfig(form);
  fuzzform::FormOnNullDevices other;
  fuzzcheck::Require(frontend::ParseConfig(written, other.Form()) == fullScreen,
                     "full screen survives a write and a read");
  fuzzcheck::Require(frontend::FormatConfig(other.Form()) == written,
                     "Config.cfg survives a write and a read");
  // The same bytes as vornakel.ini: what it keeps is written back the way it reads.
  const frontend::IniDocument ini = frontend::IniDocument::Parse(input);
  const std::string kept = ini.Serialize();
  fuzzcheck::Require(frontend::IniDocument::Parse(kept).Serialize() == kept,
                     "vornakel.ini survives a write and a read");
  frontend::ApplyHiScoreDifficulties(ini, form.Menu);
  frontend::IniDocument marks;
  frontend::StoreHiScoreDifficulties(form.Menu, marks);
  frontend::ApplyHiScoreDifficulties(frontend::IniDocument::Parse(marks.Serialize()),
                                     other.Form().Menu);
  frontend::IniDocument again;
  frontend::StoreHiScoreDifficulties(other.Form().Menu, again);
  fuzzcheck::Require(again.Serialize() == marks.Serialize(),
                     "every row keeps its difficulty through a write and a read");
  return 0;
}
