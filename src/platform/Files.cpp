// Whole-file reads of bounded regular files and atomic, durable writes, on POSIX calls.
#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

template <class Buffer>
bool ReadInto(const std::string& path, uintmax_t maxBytes, Buffer& content, std::string& error) {
  content.clear();
  // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check below refuses it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = errno == ENOENT ? std::string() : std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? "it is a folder, not a file" : "it is not a regular file";
    ::close(fd);
    return false;
  }
  if (static_cast<uintmax_t>(info.st_size) > maxBytes) {
    error = "it is larger than ";
    error += std::to_string(maxBytes);
    error += " bytes";
    ::close(fd);
    return false;
  }
  content.resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  // A file that grows while it is read is cut at its size when opened plus nothing more.
  while (done < content.size()) {
    const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = std::strerror(errno);
      ::close(fd);
      content.clear();
      return false;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  content.resize(done);
  ::close(fd);
  return true;
}

// Flushes the folder holding path, so a rename in it survives a power cut.
void SyncFolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool Fail(std::string& error, const std::string& temporary, int fd) {
  error = std::strerror(errno);
  if (fd >= 0) ::close(fd);
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace

bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, std::string& content,
                   std::string& error) {
  return ReadInto(path, maxBytes, content, error);
}

bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, std::vector<uint8_t>& content,
                   std::string& error) {
  return ReadInto(path, maxBytes, content, error);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
  const std::string temporary = path + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return Fail(error, temporary, fd);
    written += static_cast<size_t>(n);
  }
  // The data must be on the disk, and the temporary's name in its folder, before the rename
  // makes it the file; the folder is flushed again so the rename itself is kept.
  if (::fsync(fd) != 0) return Fail(error, temporary, fd);
  if (::close(fd) != 0) return Fail(error, temporary, -1);
  SyncFolderOf(path);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) return Fail(error, temporary, -1);
  SyncFolderOf(path);
  return true;
}

}  // namespace platform
