// Each player's driving keys and buttons in vornakel.ini; damage reads as the defaults.
#include "frontend/ProfileBindings.h"

#include <charconv>
#include <string>
#include <vector>

#include "frontend/GameIni.h"
#include "frontend/ProfileSettings.h"
#include "frontend/Profiles.h"
#include "platform/PadButtons.h"

namespace frontend {

namespace {

using game::DriveAction;
using game::KeyBindings;

constexpr std::string_view kNone = "none";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// One entry of a line: a key's virtual-key code (1..255) or a button's word; 0 when damaged.
int ParseInput(std::string_view word, bool pad) {
  if (pad) {
    const auto button = platform::PadButtonFromToken(word);
    return button ? game::PadInput(*button) : 0;
  }
  int vk = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), vk);
  if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return 0;
  return vk >= 1 && vk <= 255 ? vk : 0;
}

// The entries of a line, or nothing when it is damaged.
std::optional<std::vector<int>> ParseLine(std::string_view value, bool pad) {
  std::vector<int> inputs;
  if (Trim(value) == kNone) return inputs;
  while (true) {
    const size_t comma = value.find(',');
    const int input = ParseInput(Trim(value.substr(0, comma)), pad);
    if (input == 0 || inputs.size() == 2) return std::nullopt;
    inputs.push_back(input);
    if (comma == std::string_view::npos) return inputs;
    value.remove_prefix(comma + 1);
  }
}

std::string FormatInput(int input) {
  if (game::IsPadInput(input))
    return std::string(platform::PadButtonToken(input - game::kPadInputBase));
  return std::to_string(input);
}

std::string LineKey(bool pad, const game::DriveActionInfo& info) {
  return std::string(pad ? "pad." : "key.") + std::string(info.token);
}

}  // namespace

KeyBindings ProfileBindingsIn(const IniDocument& ini, std::string_view name1251) {
  const std::string section = ProfileSection(name1251);
  KeyBindings read;
  for (const game::DriveActionInfo& info : game::kDriveActions) {
    for (bool pad : {false, true}) {
      const int first = pad ? game::kKeySlots : 0;
      std::vector<int> inputs;
      for (int i = first; i < first + 2; ++i) {
        if (info.defaults[static_cast<size_t>(i)] != 0)
          inputs.push_back(info.defaults[static_cast<size_t>(i)]);
      }
      if (const auto value = ini.Get(section, LineKey(pad, info))) {
        if (auto parsed = ParseLine(*value, pad)) inputs = *parsed;
      }
      for (size_t i = 0; i < inputs.size(); ++i) {
        if (read.Find(inputs[i])) continue;  // the first action keeps an input listed twice
        read.SetSlot(info.action, first + static_cast<int>(i), inputs[i]);
      }
    }
  }
  return read;
}

void SetProfileBindings(IniDocument& ini, std::string_view name1251, const KeyBindings& bindings) {
  const std::string section = ProfileSection(name1251);
  for (const game::DriveActionInfo& info : game::kDriveActions) {
    for (bool pad : {false, true}) {
      const int first = pad ? game::kKeySlots : 0;
      std::string value;
      for (int i = 0; i < 2; ++i) {
        const int input = bindings.Slot(info.action, first + i);
        if (input == 0) continue;
        if (!value.empty()) value += ", ";
        value += FormatInput(input);
      }
      ini.Set(section, LineKey(pad, info), value.empty() ? std::string(kNone) : value);
    }
  }
}

const KeyBindings& CurrentBindings(game::TForm1& form) {
  game::MenuState& menu = form.Menu;
  if (menu.ProfileCount <= 0) return form.Bindings;
  const std::string name = CurrentProfileName(menu);
  if (menu.BindingsOwner != name) {
    menu.BindingsOwner = name;
    form.Bindings = ProfileBindingsIn(ReadGameIni(), name);
  }
  return form.Bindings;
}

void SaveBindings(game::TForm1& form, const KeyBindings& bindings) {
  game::MenuState& menu = form.Menu;
  form.Bindings = bindings;
  if (menu.ProfileCount <= 0) {
    menu.BindingsOwner.reset();
    return;
  }
  const std::string name = CurrentProfileName(menu);
  menu.BindingsOwner = name;
  UpdateGameIni(form, [&](IniDocument& ini) { SetProfileBindings(ini, name, bindings); });
}

}  // namespace frontend
