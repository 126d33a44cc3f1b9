// vornakel_savewriter: rewrites a settings-sized file in a loop through the atomic writer.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Files.h"

namespace {

// Two complete files of different sizes, shaped like Config.cfg: one padded value per line.
std::string Content(int which) {
  const int lines = which == 0 ? 24 : 160;
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += "value" + std::to_string(which) + "_" + std::to_string(i);
    text.append(static_cast<size_t>(20 + (i * 7) % 40), '%');
    text += "\r\n";
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  // --emit N prints content N so the checking script knows both complete files.
  if (argc == 3 && std::strcmp(argv[1], "--emit") == 0) {
    const std::string text = Content(argv[2][0] == '1' ? 1 : 0);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: vornakel_savewriter FILE | --emit 0|1\n");
    return 2;
  }
  const std::string contents[2] = {Content(0), Content(1)};
  for (unsigned long n = 0;; ++n) {
    std::string error;
    if (!platform::WriteFileAtomically(argv[1], contents[n % 2], error)) {
      std::fprintf(stderr, "vornakel_savewriter: %s\n", error.c_str());
      return 1;
    }
  }
}
