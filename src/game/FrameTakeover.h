// Something that runs in the window in the form's place for a while (a replay being watched): it
// takes the frames and the keys, and the form stands still until it is over.
#pragma once

namespace game {

class FrameTakeover {
 public:
  virtual ~FrameTakeover() = default;
  // One frame in the form's place. False once it is over: the form runs again from the next frame.
  virtual bool Frame() = 0;
  // A key (a controller button as its menu key) going down or up.
  virtual void KeyDown(int vk) = 0;
  virtual void KeyUp(int vk) = 0;
};

}  // namespace game
