// The worker that reads an image archive and decodes its pictures, and the hand-over of each one.
#include "engine/ArchiveLoad.h"

#include <algorithm>
#include <utility>

#include "engine/PngCodec.h"

namespace engine {
namespace {

// How many decoded pictures may wait for the game to take them.
constexpr size_t kDecodedAhead = 4;

}  // namespace

ArchiveLoad::ArchiveLoad(Reader reader, std::vector<std::string> first) {
  worker_ = std::thread([this, reader = std::move(reader), first = std::move(first)]() mutable {
    Work(std::move(reader), std::move(first));
  });
}

ArchiveLoad::~ArchiveLoad() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void ArchiveLoad::Work(Reader reader, std::vector<std::string> first) {
  std::vector<uint8_t> bytes;
  std::string note;
  const bool readable = reader(bytes, note);
  std::vector<OilItem> items;
  std::string error;
  const bool parsed = readable && ReadOilArchive(bytes.data(), bytes.size(), items, error);
  std::vector<uint8_t>().swap(bytes);
  // The pictures wanted first, then the rest as they are stored.
  std::vector<size_t> order;
  for (const std::string& name : first) {
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].name == name && std::find(order.begin(), order.end(), i) == order.end()) {
        order.push_back(i);
        break;
      }
    }
  }
  for (size_t i = 0; i < items.size(); ++i) {
    if (std::find(order.begin(), order.end(), i) == order.end()) order.push_back(i);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    readable_ = readable;
    parsed_ = parsed;
    note_ = std::move(note);
    error_ = std::move(error);
    items_ = std::move(items);
    states_.assign(items_.size(), State::kQueued);
    pictures_.resize(items_.size());
    decoded_.assign(items_.size(), 0);
    read_ = true;
  }
  changed_.notify_all();
  for (const size_t index : order) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return stop_ || done_ - taken_ < kDecodedAhead; });
      if (stop_) return;
      if (states_[index] != State::kQueued) continue;  // the game took it on itself
      states_[index] = State::kDecoding;
    }
    Decode(index);
  }
}

void ArchiveLoad::Decode(size_t index) {
  const OilItem& stored = items_[index];
  decoded_[index] =
      !stored.png.empty() && DecodePng(stored.png.data(), stored.png.size(), pictures_[index]);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    states_[index] = State::kDone;
    ++done_;
  }
  changed_.notify_all();
}

bool ArchiveLoad::WaitRead() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return read_; });
  return readable_;
}

bool ArchiveLoad::PictureDone(size_t index) {
  std::lock_guard<std::mutex> lock(mutex_);
  return read_ && index < states_.size() && states_[index] == State::kDone;
}

bool ArchiveLoad::TakePicture(size_t index, platform::Pixels& out) {
  out = platform::Pixels{};
  if (!WaitRead() || index >= items_.size()) return false;
  std::unique_lock<std::mutex> lock(mutex_);
  if (states_[index] == State::kQueued) {
    // Asked for before the worker came to it: decoding it here is quicker than waiting.
    states_[index] = State::kDecoding;
    lock.unlock();
    Decode(index);
    lock.lock();
  }
  changed_.wait(lock, [&] { return states_[index] == State::kDone; });
  out = std::move(pictures_[index]);
  ++taken_;
  lock.unlock();
  changed_.notify_all();  // the worker may go on
  return decoded_[index] != 0;
}

}  // namespace engine
