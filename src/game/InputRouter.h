// Turns keys and controller buttons into the virtual keys the game reads, remembering what each
// held input pressed.
#pragma once

#include <map>

namespace game {

// Two inputs can press one virtual key (W and the right trigger both accelerate): the key goes down
// with the first and up with the last. An input lets go of the key it pressed, whatever it would
// mean by the time it is released (a key held from the race into a menu still lets go of the
// race's key).
class InputRouter {
 public:
  // An input went down, meaning vk now (0: nothing). Returns the key to report as pressed, or 0;
  // an input already held (the keyboard's repeat) reports its key again.
  int Press(int input, int vk);
  // An input went up; vkNow is what it would mean now, used for an input never seen going down.
  // Returns the key to report as released, or 0.
  int Release(int input, int vkNow);
  bool Held(int input) const { return held_.count(input) != 0; }

 private:
  std::map<int, int> held_;     // input -> the key it pressed (0: none)
  std::map<int, int> holders_;  // key -> how many inputs hold it
};

}  // namespace game
