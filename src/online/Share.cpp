// The exit screen: reading its description, loading its pictures, hover, clicks and the countdown.
#include "online/Share.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <system_error>

#include "engine/Messages.h"
#include "engine/PngCodec.h"
#include "online/GoToLink.h"
#include "platform/Paths.h"

namespace online {
namespace {

// The longest countdown a description may ask for.
constexpr int64_t kMaxCountdownSeconds = 60;
// Used when the description asks for a countdown font of no size at all.
constexpr int32_t kFallbackFontSize = 12;

// Whole file, or nothing when it is missing, unreadable or larger than Limit.
std::optional<std::string> ReadSmallFile(const std::string& path, uintmax_t limit) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > limit) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (!in && !in.eof()) return std::nullopt;
  return content.str();
}

// A decimal integer with an optional sign and nothing else.
std::optional<int32_t> ToInt(std::string_view token) {
  if (!token.empty() && token.front() == '+') {
    token.remove_prefix(1);
    if (token.empty() || token.front() == '-') return std::nullopt;
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

uint8_t ColorByte(int32_t value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

// Reads the description line by line. The first bad or missing value clears Valid; from then on
// every read gives nothing.
class TShareScreen::Reader {
 public:
  Reader(const TShareScreen& screen, std::string_view text, bool& valid)
      : screen_(screen), valid_(valid) {
    // An editor's byte-order mark is not part of the first value.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    while (!text.empty()) {
      const size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
  }

  // The next line without its leading blanks; an empty line or the end of the file is a failure.
  std::optional<std::string_view> Line() {
    if (!valid_) return std::nullopt;
    if (next_ >= lines_.size()) return Fail();
    std::string_view line = lines_[next_++];
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty()) return Fail();
    return line;
  }

  // A line of Count integers separated by single spaces; a value that does not convert reads as 0
  // and clears Valid. Values after the expected ones are ignored.
  template <size_t Count>
  std::array<int32_t, Count> Numbers() {
    std::array<int32_t, Count> values{};
    std::optional<std::string_view> line = Line();
    if (!line) return values;
    std::string_view rest = *line;
    for (size_t i = 0; i < Count; ++i) {
      const size_t space = rest.find(' ');
      const std::optional<int32_t> value = ToInt(rest.substr(0, space));
      rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
      if (!value) {
        valid_ = false;
        return values;
      }
      values[i] = *value;
    }
    return values;
  }

  // A line naming a file that must exist.
  std::string Path() {
    const std::optional<std::string_view> line = Line();
    if (!line) return {};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(screen_.Resolve(*line), ec)) valid_ = false;
    return std::string(*line);
  }

 private:
  std::nullopt_t Fail() {
    valid_ = false;
    return std::nullopt;
  }

  const TShareScreen& screen_;
  bool& valid_;
  std::vector<std::string_view> lines_;
  size_t next_ = 0;
};

TShareScreen::TShareScreen(engine::TOmegaImageList& list, engine::TOmegaScreen* screen,
                           platform::FontRasterizer* fonts)
    : list_(list), font_(screen, fonts) {}

std::string TShareScreen::Resolve(std::string_view gamePath) const {
  const std::string native = platform::NativePath(gamePath);
  if (BaseDir.empty()) return native;
  return (std::filesystem::path(BaseDir) / native).string();
}

bool TShareScreen::Load(std::string_view descriptionPath) {
  const std::optional<std::string> text =
      ReadSmallFile(Resolve(descriptionPath), kMaxDescriptionBytes);
  if (!text) {
    Valid = false;
    Countdown = 0;
    return false;
  }
  return Parse(*text);
}

bool TShareScreen::Parse(std::string_view text) {
  Valid = true;
  Buttons.clear();
  Reader in(*this, text, Valid);
  ButtonCount = in.Numbers<1>()[0];
  // The exit button comes last, so a screen has at least one button.
  if (Valid && ButtonCount < 1) Valid = false;
  BackgroundPath = in.Path();
  for (int32_t i = 0; i < ButtonCount && Valid; ++i) {
    TButton button;
    const bool isExit = i == ButtonCount - 1;
    const auto hover = in.Numbers<4>();
    button.X1 = hover[0];
    button.Y1 = hover[1];
    button.X3 = hover[2];
    button.Y3 = hover[3];
    const auto normal = in.Numbers<4>();
    button.X2 = normal[0];
    button.Y2 = normal[1];
    button.W = normal[2];
    button.H = normal[3];
    if (isExit) {
      const auto disabled = in.Numbers<4>();
      button.XD = disabled[0];
      button.YD = disabled[1];
      button.A = disabled[2];
      button.B = disabled[3];
    }
    button.ImagePath[biNormal] = in.Path();
    button.ImagePath[biHover] = in.Path();
    if (isExit) {
      button.ImagePath[biDisabled] = in.Path();
      button.Target = std::string(kExitTarget);
      button.Enabled = false;
    } else {
      button.Target = in.Path();
    }
    Buttons.push_back(std::move(button));
  }
  const auto center = in.Numbers<2>();
  TextX = center[0];
  TextY = center[1];
  // A countdown below zero would never reach zero, and a huge one would keep the window open for
  // good: a minute is the most a player waits.
  const int64_t seconds = std::clamp<int64_t>(in.Numbers<1>()[0], 0, kMaxCountdownSeconds);
  Countdown = static_cast<int32_t>(std::max<int64_t>(100 * seconds - 100, 0));
  const auto color = in.Numbers<3>();
  TextRed = color[0];
  TextGreen = color[1];
  TextBlue = color[2];
  const std::optional<std::string_view> sizeWord = in.Line();
  FixedSize = sizeWord && *sizeWord == "TRUE";
  FontSize = FixedSize ? in.Numbers<1>()[0] : 0;

  if (Valid) Valid = LoadPictures();
  if (!Valid) {
    Countdown = 0;
    return false;
  }
  if (TButton* exitButton = ExitButton()) exitButton->Enabled = Countdown == 0;
  SetUpFont();
  return true;
}

bool TShareScreen::LoadPictures() {
  list_.ImageList().Clear();
  // Adds one picture as a single pattern of its own size; its index, or -1 when it does not load.
  auto add = [this](const std::string& gamePath) -> int32_t {
    const std::optional<std::string> bytes = ReadSmallFile(Resolve(gamePath), kMaxPictureBytes);
    platform::Pixels pixels;
    if (!bytes || !engine::DecodePng(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size(),
                                     pixels)) {
      engine::ReportOnce("exit screen: the picture " + gamePath + " is not a readable PNG file");
      return -1;
    }
    engine::TImageListItem* item = list_.ImageList().Add();
    item->Name = gamePath;
    item->SetPicture(std::move(pixels));
    return list_.Count() - 1;
  };
  BackgroundIndex = add(BackgroundPath);
  bool ok = BackgroundIndex >= 0;
  for (TButton& button : Buttons) {
    for (int image = biNormal; image <= biDisabled && ok; ++image) {
      if (button.ImagePath[static_cast<size_t>(image)].empty()) continue;
      const int32_t index = add(button.ImagePath[static_cast<size_t>(image)]);
      button.ImageIndex[static_cast<size_t>(image)] = index;
      ok = index >= 0;
    }
  }
  if (!ok) {
    list_.ImageList().Clear();
    BackgroundIndex = -1;
    return false;
  }
  // Textures now when the screen already runs; otherwise the screen makes them when it starts.
  list_.Initialize();
  return true;
}

void TShareScreen::SetUpFont() {
  int32_t size = FontSize;
  if (!FixedSize) {
    const TButton* exitButton = Buttons.empty() ? nullptr : &Buttons.back();
    size = exitButton != nullptr ? static_cast<int32_t>(std::lround(0.6 * exitButton->H)) : 0;
  }
  if (size < 1) size = kFallbackFontSize;
  font_.SetFont(std::string(kFontName), size, platform::FontStyle{});
  font_.SetColor(0xFF000000u | static_cast<uint32_t>(ColorByte(TextRed)) << 16 |
                 static_cast<uint32_t>(ColorByte(TextGreen)) << 8 | ColorByte(TextBlue));
}

void TShareScreen::UpdateHover(int32_t mouseX, int32_t mouseY) {
  for (TButton& button : Buttons) button.Hovered = button.Contains(mouseX, mouseY);
}

std::string TShareScreen::CountdownText() const {
  if (Countdown <= 0) return {};
  return std::to_string((Countdown / 10 + 1) / 10 + 1);
}

void TShareScreen::Draw() {
  auto draw = [this](int32_t index, int32_t x, int32_t y) {
    if (engine::TImageListItem* item = list_.Items(index)) item->Draw(x, y, 0);
  };
  draw(BackgroundIndex, 0, 0);
  for (const TButton& button : Buttons) {
    if (!button.Visible) continue;
    if (!button.Enabled) {
      draw(button.ImageIndex[biDisabled], button.XD, button.YD);
    } else if (button.Hovered) {
      draw(button.ImageIndex[biHover], button.X1, button.Y1);
    } else {
      draw(button.ImageIndex[biNormal], button.X2, button.Y2);
    }
  }
  if (Countdown == 0) {
    if (TButton* exitButton = ExitButton()) exitButton->Enabled = true;
    return;
  }
  const std::string text = CountdownText();
  const double halfWidth = font_.TextWidth(text) / 2.0;
  const double halfHeight = font_.TextHeight(text) / 2.0;
  font_.TextOut(TextX - static_cast<int32_t>(std::nearbyint(halfWidth)),
                TextY - static_cast<int32_t>(std::nearbyint(halfHeight)), text);
}

void TShareScreen::Click(platform::Shell* shell, const std::function<void()>& requestClose) {
  for (const TButton& button : Buttons) {
    if (!button.Hovered) continue;
    if (button.IsExit()) {
      if (requestClose) requestClose();
    } else if (shell != nullptr) {
      OpenIfExists(*shell, Resolve(button.Target));
    }
  }
}

}  // namespace online
