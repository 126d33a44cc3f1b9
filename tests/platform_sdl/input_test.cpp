// Key codes, text, mouse mapping, close requests and game-controller buttons of the SDL input.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Text1251.h"
#include "platform/sdl/GamepadKeys.h"
#include "platform/sdl/KeyMap.h"
#include "platform/sdl/Letterbox.h"
#include "platform/sdl/SdlInput.h"

namespace platform {
namespace {

using Type = InputEvent::Type;

TEST(KeyMapTest, MapsKeysToWindowsVirtualKeyCodes) {
  struct Case {
    SDL_Keycode key;
    int vk;
  };
  const Case cases[] = {
      {SDLK_a, 65},
      {SDLK_p, 80},
      {SDLK_z, 90},
      {SDLK_0, 48},
      {SDLK_9, 57},
      {SDLK_LEFT, 37},
      {SDLK_UP, 38},
      {SDLK_RIGHT, 39},
      {SDLK_DOWN, 40},
      {SDLK_ESCAPE, 27},
      {SDLK_RETURN, 13},
      {SDLK_KP_ENTER, 13},
      {SDLK_SPACE, 32},
      {SDLK_LCTRL, 17},
      {SDLK_RCTRL, 17},
      {SDLK_LSHIFT, 16},
      {SDLK_RSHIFT, 16},
      {SDLK_LALT, 18},
      {SDLK_BACKSPACE, 8},
      {SDLK_TAB, 9},
      {SDLK_DELETE, 46},
      {SDLK_INSERT, 45},
      {SDLK_HOME, 36},
      {SDLK_END, 35},
      {SDLK_PAGEUP, 33},
      {SDLK_PAGEDOWN, 34},
      {SDLK_PAUSE, 19},
      {SDLK_CAPSLOCK, 20},
      {SDLK_F1, 112},
      {SDLK_F12, 123},
      {SDLK_KP_0, 96},
      {SDLK_KP_9, 105},
      {SDLK_KP_MULTIPLY, 106},
      {SDLK_KP_PLUS, 107},
      {SDLK_KP_MINUS, 109},
      {SDLK_KP_PERIOD, 110},
      {SDLK_KP_DIVIDE, 111},
      {SDLK_SEMICOLON, 186},
      {SDLK_EQUALS, 187},
      {SDLK_COMMA, 188},
      {SDLK_MINUS, 189},
      {SDLK_PERIOD, 190},
      {SDLK_SLASH, 191},
      {SDLK_BACKQUOTE, 192},
      {SDLK_LEFTBRACKET, 219},
      {SDLK_BACKSLASH, 220},
      {SDLK_RIGHTBRACKET, 221},
      {SDLK_QUOTE, 222},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFromSdl(c.key, SDL_GetScancodeFromKey(c.key)), c.vk)
        << SDL_GetKeyName(c.key);
  }
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13, SDL_SCANCODE_F13), 0);
}

TEST(KeyMapTest, CyrillicLayoutGoesByKeyPosition) {
  // On a Russian layout the key left of W types "й" but is still reported as Q.
  EXPECT_EQ(VirtualKeyFromSdl(0x0439, SDL_SCANCODE_Q), 'Q');
  EXPECT_EQ(VirtualKeyFromSdl(0x0436, SDL_SCANCODE_SEMICOLON), 186);
  EXPECT_EQ(VirtualKeyFromSdl(0x0451, SDL_SCANCODE_GRAVE), 192);
  // A layout whose digit row types other characters.
  EXPECT_EQ(VirtualKeyFromSdl(0x00E9, SDL_SCANCODE_2), '2');
  EXPECT_EQ(VirtualKeyFromSdl(0x00E0, SDL_SCANCODE_0), '0');
}

TEST(LetterboxTest, FitsTheBufferCentredWithBars) {
  LetterboxRect wide = FitLetterbox(1920, 1080, 800, 600);
  EXPECT_EQ(wide.x, 240);
  EXPECT_EQ(wide.y, 0);
  EXPECT_EQ(wide.width, 1440);
  EXPECT_EQ(wide.height, 1080);
  LetterboxRect tall = FitLetterbox(1024, 1024, 800, 600);
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 128);
  EXPECT_EQ(tall.width, 1024);
  EXPECT_EQ(tall.height, 768);
  LetterboxRect exact = FitLetterbox(800, 600, 800, 600);
  EXPECT_EQ(exact.x, 0);
  EXPECT_EQ(exact.width, 800);
  EXPECT_EQ(exact.height, 600);
}

TEST(LetterboxTest, MapsOutputPositionsToBufferPixels) {
  LetterboxRect box = FitLetterbox(1920, 1080, 800, 600);
  int x = -1, y = -1;
  OutputToBuffer(box, 800, 600, 240, 0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  OutputToBuffer(box, 800, 600, 240 + 1439, 1079, x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
  OutputToBuffer(box, 800, 600, 960, 540, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  // Over the bars the position sticks to the nearest edge of the picture.
  OutputToBuffer(box, 800, 600, 10, 500, x, y);
  EXPECT_EQ(x, 0);
  OutputToBuffer(box, 800, 600, 1900, 500, x, y);
  EXPECT_EQ(x, 799);
  // Unscaled windows map one to one.
  OutputToBuffer(FitLetterbox(800, 600, 800, 600), 800, 600, 123, 456, x, y);
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 456);
}

TEST(LetterboxTest, IntegerScalingTakesWholeStepsAndTheMouseFollows) {
  using S = Scaling;
  auto expect = [](LetterboxRect r, int x, int y, int w, int h) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
  };
  // 2x with bars all round; odd sizes put the odd pixel on the right and bottom.
  expect(PlaceBuffer(S::kInteger, 1700, 1300, 800, 600), 50, 50, 1600, 1200);
  expect(PlaceBuffer(S::kInteger, 2401, 1801, 800, 600), 0, 0, 2400, 1800);
  expect(PlaceBuffer(S::kInteger, 1920, 1080, 800, 600), 560, 240, 800, 600);
  expect(PlaceBuffer(S::kLetterbox, 1920, 1080, 800, 600), 240, 0, 1440, 1080);
  // A window smaller than the picture shrinks it as the letterbox does, smoothly.
  expect(PlaceBuffer(S::kInteger, 700, 500, 800, 600), 17, 0, 666, 500);
  EXPECT_TRUE(NeedsSmoothing(S::kInteger, PlaceBuffer(S::kInteger, 700, 500, 800, 600), 800, 600));
  EXPECT_FALSE(
      NeedsSmoothing(S::kInteger, PlaceBuffer(S::kInteger, 1700, 1300, 800, 600), 800, 600));
  EXPECT_TRUE(NeedsSmoothing(S::kLetterbox, FitLetterbox(1600, 1200, 800, 600), 800, 600));
  EXPECT_FALSE(NeedsSmoothing(S::kLetterbox, FitLetterbox(800, 600, 800, 600), 800, 600));

  int x = -1, y = -1;
  // 1700 x 1300 at 2x: the picture's first pixel starts at (50, 50), its last ends at (1649, 1249).
  WindowToBuffer(S::kInteger, 1700, 1300, 1700, 1300, 800, 600, 50, 50, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  WindowToBuffer(S::kInteger, 1700, 1300, 1700, 1300, 800, 600, 1649, 1249, x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
  WindowToBuffer(S::kInteger, 1700, 1300, 1700, 1300, 800, 600, 50 + 2 * 206 + 1, 50 + 2 * 510, x,
                 y);
  EXPECT_EQ(x, 206);
  EXPECT_EQ(y, 510);
  WindowToBuffer(S::kInteger, 1700, 1300, 1700, 1300, 800, 600, 10, 1290, x, y);  // over a bar
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 599);
  // HiDPI: a window of 850 x 650 points drawn in 1700 x 1300 pixels is also 2x.
  WindowToBuffer(S::kInteger, 850, 650, 1700, 1300, 800, 600, 25 + 206, 25 + 510, x, y);
  EXPECT_EQ(x, 206);
  EXPECT_EQ(y, 510);
  WindowToBuffer(S::kLetterbox, 850, 650, 1700, 1300, 800, 600, 425, 325, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  // No size known yet: positions pass through.
  WindowToBuffer(S::kInteger, 0, 0, 0, 0, 800, 600, 123, 456, x, y);
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 456);
}

class SdlInputTest : public ::testing::Test {
 protected:
  std::vector<InputEvent> Drain() {
    std::vector<InputEvent> events;
    InputEvent e;
    while (input.Poll(e)) events.push_back(e);
    return events;
  }
  static SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mod = 0, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
  }

  SdlInput input{nullptr, 800, 600, false};
};

TEST_F(SdlInputTest, HeldKeysRepeatAsKeyDowns) {
  input.Translate(Key(SDL_KEYDOWN, SDLK_UP));
  input.Translate(Key(SDL_KEYDOWN, SDLK_UP, 0, 1));
  input.Translate(Key(SDL_KEYUP, SDLK_UP));
  input.Translate(Key(SDL_KEYDOWN, SDLK_F13));  // no code: nothing delivered
  auto events = Drain();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].type, Type::kKeyDown);
  EXPECT_EQ(events[1].type, Type::kKeyDown);
  EXPECT_EQ(events[2].type, Type::kKeyUp);
  for (const auto& e : events) EXPECT_EQ(e.key, 38);
}

TEST_F(SdlInputTest, AltF4AndTheCloseBoxAskToClose) {
  input.Translate(Key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT));
  input.Translate(Key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT));
  input.Translate(Key(SDL_KEYUP, SDLK_F4, KMOD_LALT));
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  input.Translate(close);
  auto events = Drain();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].type, Type::kKeyDown);
  EXPECT_EQ(events[0].key, 18);
  EXPECT_EQ(events[1].type, Type::kCloseRequest);  // and no F4 key-up of its own
  EXPECT_EQ(events[2].type, Type::kCloseRequest);
  // A plain F4 is an ordinary key.
  input.Translate(Key(SDL_KEYDOWN, SDLK_F4));
  events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].key, 115);
}

TEST_F(SdlInputTest, AltEnterSwitchesTheDisplayAndItsEnterNeverReachesTheGame) {
  input.Translate(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT));
  input.Translate(Key(SDL_KEYUP, SDLK_RETURN, KMOD_LALT));
  input.Translate(Key(SDL_KEYDOWN, SDLK_RETURN));
  auto events = Drain();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, Type::kToggleFullScreen);
  EXPECT_EQ(events[1].type, Type::kKeyDown);  // a plain Enter is an ordinary key
  EXPECT_EQ(events[1].key, 13);
}

TEST_F(SdlInputTest, TextArrivesAsCodePage1251) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  SDL_strlcpy(e.text.text, "Жё€", sizeof e.text.text);
  input.Translate(e);
  SDL_strlcpy(e.text.text, "\xF0\x9F\x98\x80", sizeof e.text.text);  // no 1251 byte: dropped
  input.Translate(e);
  auto events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, Type::kText);
  EXPECT_EQ(events[0].text, "\xC6\xB8\x88");
}

TEST_F(SdlInputTest, MouseButtonsCarryPositionAndUpdateIt) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 321;
  e.button.y = 123;
  input.Translate(e);
  e.button.button = SDL_BUTTON_X1;  // not a button of the game
  input.Translate(e);
  // SDL's count of quick presses marks the second press of a double click.
  e.button.button = SDL_BUTTON_LEFT;
  e.button.clicks = 2;
  input.Translate(e);
  auto events = Drain();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, Type::kMouseDown);
  EXPECT_EQ(events[0].button, InputEvent::Button::kRight);
  EXPECT_EQ(events[0].x, 321);
  EXPECT_EQ(events[0].clicks, 1);
  EXPECT_EQ(events[1].clicks, 2);
  int x = 0, y = 0;
  input.MousePosition(x, y);
  EXPECT_EQ(x, 321);
  EXPECT_EQ(y, 123);
}

std::vector<int> Keys(const std::vector<InputEvent>& events, Type type) {
  std::vector<int> keys;
  for (const auto& e : events) {
    if (e.type == type) keys.push_back(e.key);
  }
  return keys;
}

constexpr int kPadUp = static_cast<int>(PadButton::kUp);

TEST(GamepadKeysTest, StickPressesTheDpadButtonsWhichGoUpWithTheLastHolder) {
  GamepadKeys pads;
  std::vector<InputEvent> out;
  pads.Button(0, SDL_CONTROLLER_BUTTON_DPAD_UP, true, out);
  pads.Axis(0, SDL_CONTROLLER_AXIS_LEFTY, -30000, out);
  pads.Axis(0, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 30000, out);
  EXPECT_EQ(Keys(out, Type::kPadDown),
            (std::vector<int>{kPadUp, static_cast<int>(PadButton::kRightTrigger)}));
  out.clear();
  pads.Button(0, SDL_CONTROLLER_BUTTON_DPAD_UP, false, out);
  EXPECT_TRUE(out.empty());
  pads.Axis(0, SDL_CONTROLLER_AXIS_LEFTY, 0, out);
  EXPECT_EQ(Keys(out, Type::kPadUp), std::vector<int>{kPadUp});
}

TEST(GamepadKeysTest, StickHasHysteresisAndUnplugReleases) {
  GamepadKeys pads;
  std::vector<InputEvent> out;
  pads.Axis(3, SDL_CONTROLLER_AXIS_LEFTX, 20000, out);   // right pressed
  pads.Axis(3, SDL_CONTROLLER_AXIS_LEFTX, 14000, out);   // still held between the thresholds
  pads.Axis(3, SDL_CONTROLLER_AXIS_LEFTX, -20000, out);  // swung over to the left
  pads.Button(3, SDL_CONTROLLER_BUTTON_A, true, out);
  pads.Button(3, SDL_CONTROLLER_BUTTON_Y, true, out);  // every button reaches the game
  const int right = static_cast<int>(PadButton::kRight), left = static_cast<int>(PadButton::kLeft);
  const int a = static_cast<int>(PadButton::kA), y = static_cast<int>(PadButton::kY);
  EXPECT_EQ(Keys(out, Type::kPadDown), (std::vector<int>{right, left, a, y}));
  EXPECT_EQ(Keys(out, Type::kPadUp), std::vector<int>{right});
  out.clear();
  pads.Removed(3, out);
  auto ups = Keys(out, Type::kPadUp);
  std::sort(ups.begin(), ups.end());
  EXPECT_EQ(ups, (std::vector<int>{a, y, left}));
}

}  // namespace
}  // namespace platform
