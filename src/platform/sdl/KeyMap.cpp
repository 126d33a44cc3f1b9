// Translation of SDL key events into Windows virtual-key codes.
#include "platform/sdl/KeyMap.h"

namespace platform {
namespace {

struct KeyCodePair {
  SDL_Keycode key;
  int vk;
};

struct ScanCodePair {
  SDL_Scancode scancode;
  int vk;
};

// Keys whose code does not depend on the layout, and the punctuation keys of a Latin layout.
constexpr KeyCodePair kKeys[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},
    {SDLK_RETURN, 13},       {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},        {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},         {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},       {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},          {SDLK_HOME, 36},
    {SDLK_LEFT, 37},         {SDLK_UP, 38},
    {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},       {SDLK_DELETE, 46},
    {SDLK_KP_0, 96},         {SDLK_KP_1, 97},
    {SDLK_KP_2, 98},         {SDLK_KP_3, 99},
    {SDLK_KP_4, 100},        {SDLK_KP_5, 101},
    {SDLK_KP_6, 102},        {SDLK_KP_7, 103},
    {SDLK_KP_8, 104},        {SDLK_KP_9, 105},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
    {SDLK_KP_COMMA, 108},    {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},
    {SDLK_F1, 112},          {SDLK_F2, 113},
    {SDLK_F3, 114},          {SDLK_F4, 115},
    {SDLK_F5, 116},          {SDLK_F6, 117},
    {SDLK_F7, 118},          {SDLK_F8, 119},
    {SDLK_F9, 120},          {SDLK_F10, 121},
    {SDLK_F11, 122},         {SDLK_F12, 123},
    {SDLK_SEMICOLON, 186},   {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},       {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},   {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},   {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

// Positions of the punctuation keys, for layouts whose key codes are not Latin punctuation.
constexpr ScanCodePair kPunctuationPositions[] = {
    {SDL_SCANCODE_SEMICOLON, 186},  {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},      {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},     {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},      {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},  {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
};

}  // namespace

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  for (const KeyCodePair& pair : kKeys) {
    if (pair.key == key) return pair.vk;
  }
  // A layout that puts non-Latin characters on the main block: go by the key's position.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return 'A' + (scancode - SDL_SCANCODE_A);
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return '1' + (scancode - SDL_SCANCODE_1);
  }
  if (scancode == SDL_SCANCODE_0) return '0';
  for (const ScanCodePair& pair : kPunctuationPositions) {
    if (pair.scancode == scancode) return pair.vk;
  }
  return 0;
}

}  // namespace platform
