// An INI text (UTF-8) held as sections of keys in file order, which keeps what it does not know.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace frontend {

// "[section]" headers, "key = value" lines, and ";" or "#" comments. Reading never fails: a line
// that is none of these is dropped and counted, so a damaged file gives defaults for what it
// lost and keeps everything else, unknown sections and keys included, for the next write.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);
  std::string Serialize() const;

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the key's value, or adds the key at the end of its section (made at the end of the
  // file when new). Keys and values are cut at the first line break.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void RemoveKey(std::string_view section, std::string_view key);
  // Removes every section of that name.
  void RemoveSection(std::string_view section);
  // Section names in file order (the unnamed part before the first header is not one).
  std::vector<std::string> Sections() const;
  // Lines that Parse dropped as damaged.
  int DamagedLines() const { return damaged_; }

 private:
  struct Line {
    std::string key;    // empty for a comment or blank line
    std::string value;  // the comment's whole text for a comment line
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };
  Section* Find(std::string_view name);
  const Section* Find(std::string_view name) const;

  std::vector<Section> sections_{Section{}};  // sections_[0]: lines before the first header
  int damaged_ = 0;
};

// The section of a profile: profile "NAME", with \ and " escaped by a backslash.
std::string ProfileSectionName(std::string_view utf8Name);

}  // namespace frontend
