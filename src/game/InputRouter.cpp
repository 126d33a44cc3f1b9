// The translation of held inputs into pressed virtual keys.
#include "game/InputRouter.h"

namespace game {

int InputRouter::Press(int input, int vk) {
  const auto it = held_.find(input);
  if (it != held_.end()) return it->second;
  held_[input] = vk;
  if (vk == 0) return 0;
  return holders_[vk]++ == 0 ? vk : 0;
}

int InputRouter::Release(int input, int vkNow) {
  const auto it = held_.find(input);
  if (it == held_.end()) return vkNow;
  const int vk = it->second;
  held_.erase(it);
  if (vk == 0) return 0;
  const auto holder = holders_.find(vk);
  if (holder == holders_.end() || --holder->second <= 0) {
    if (holder != holders_.end()) holders_.erase(holder);
    return vk;
  }
  return 0;
}

}  // namespace game
