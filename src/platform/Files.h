// Whole-file reads that accept only regular files of a bounded size, and atomic, durable writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Largest files each reader takes: anything longer is treated as damaged.
constexpr uintmax_t kMaxSettingsFileBytes = 1u << 20;    // Config.cfg, Configdat.cfg, scripts
constexpr uintmax_t kMaxModuleFileBytes = 64u << 20;     // tracker modules
constexpr uintmax_t kMaxArchiveFileBytes = 1024u << 20;  // picture archives

// Reads the whole of a regular file of at most maxBytes. A folder, a FIFO or device, a longer
// file or a read error give false and a reason in plain words; a missing file gives false and an
// empty reason. Never throws.
bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, std::string& content,
                   std::string& error);
bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, std::vector<uint8_t>& content,
                   std::string& error);

// True for a regular file (after links): folders, FIFOs and devices are never opened as data.
bool IsRegularFile(const std::string& path);

// Replaces the file at path with content so that a crash or power cut leaves either the old or
// the new file whole: a temporary beside it, flushed to the disk, renamed over it, and the folder
// flushed before and after.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

}  // namespace platform
