// An image archive read and its pictures decoded on a worker thread, so the game can open its
// window and show its first screen meanwhile, and wait only for the pictures it asks for.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/OilArchive.h"
#include "platform/RenderDevice.h"

namespace engine {

class ArchiveLoad {
 public:
  // Gives the archive's bytes (on the worker thread); false when they cannot be read. Note may
  // carry a word for the player that the caller shows once it takes the archive.
  using Reader = std::function<bool(std::vector<uint8_t>& bytes, std::string& note)>;

  // Starts the worker: it reads and parses the archive, then decodes the pictures named in First
  // (in that order), then the others in archive order, never more than a few ahead of the caller's
  // taking them (decoded pictures are big).
  explicit ArchiveLoad(Reader reader, std::vector<std::string> first = {});
  // Stops the worker after the picture in hand.
  ~ArchiveLoad();
  ArchiveLoad(const ArchiveLoad&) = delete;
  ArchiveLoad& operator=(const ArchiveLoad&) = delete;

  // Waits until the archive is read and parsed; false when it could not be read at all.
  bool WaitRead();
  // After WaitRead: the reader's note, whether the whole archive parsed (Error says why not), and
  // the items read before any damage (their PNG bytes stay until the caller takes them).
  const std::string& Note() const { return note_; }
  bool Parsed() const { return parsed_; }
  const std::string& Error() const { return error_; }
  std::vector<OilItem>& Items() { return items_; }

  // The decoded picture of item Index: waits for the worker, or decodes it on this thread when the
  // worker has not begun it. False (Out empty) when it does not decode. Each is taken once.
  bool TakePicture(size_t index, platform::Pixels& out);
  // Whether the picture of item Index is decoded, so TakePicture would not wait.
  bool PictureDone(size_t index);

 private:
  enum class State : uint8_t { kQueued, kDecoding, kDone };

  void Work(Reader reader, std::vector<std::string> first);
  // Decodes item Index (claimed by the caller) and marks it done.
  void Decode(size_t index);

  std::mutex mutex_;
  std::condition_variable changed_;
  bool read_ = false;  // under mutex_ until set; the fields below it are fixed from then on
  bool readable_ = false;
  bool parsed_ = false;
  std::string note_;
  std::string error_;
  std::vector<OilItem> items_;
  std::vector<State> states_;  // under mutex_
  size_t done_ = 0;            // under mutex_: pictures decoded, and taken of those
  size_t taken_ = 0;
  std::vector<platform::Pixels> pictures_;
  std::vector<char> decoded_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace engine
