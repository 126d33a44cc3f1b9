// Parsing and writing INI text that keeps what it does not know.
#include "frontend/IniDocument.h"

#include <algorithm>

namespace frontend {
namespace {

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string OneLine(std::string_view text) {
  return std::string(Trim(text.substr(0, text.find_first_of("\r\n"))));
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    Section& current = doc.sections_.back();
    if (line.empty() || line.front() == ';' || line.front() == '#') {
      current.lines.push_back({"", std::string(line)});
    } else if (line.front() == '[' && line.back() == ']' &&
               !Trim(line.substr(1, line.size() - 2)).empty()) {
      doc.sections_.push_back({std::string(Trim(line.substr(1, line.size() - 2))), {}});
    } else if (const size_t eq = line.find('='); eq != std::string_view::npos && eq > 0) {
      const std::string key(Trim(line.substr(0, eq)));
      const std::string value(Trim(line.substr(eq + 1)));
      // A repeated key: the last one counts, as when the file was written.
      auto same = std::find_if(current.lines.begin(), current.lines.end(),
                               [&](const Line& l) { return l.key == key; });
      if (same != current.lines.end()) {
        same->value = value;
      } else {
        current.lines.push_back({key, value});
      }
    } else {
      ++doc.damaged_;
    }
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (size_t i = 0; i < sections_.size(); ++i) {
    const Section& section = sections_[i];
    if (i > 0) out += "[" + section.name + "]\n";
    for (const Line& line : section.lines) {
      out += line.key.empty() ? line.value : line.key + " = " + line.value;
      out += '\n';
    }
  }
  return out;
}

IniDocument::Section* IniDocument::Find(std::string_view name) {
  for (size_t i = 1; i < sections_.size(); ++i)
    if (sections_[i].name == name) return &sections_[i];
  return nullptr;
}

const IniDocument::Section* IniDocument::Find(std::string_view name) const {
  return const_cast<IniDocument*>(this)->Find(name);
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* found = Find(section);
  if (found == nullptr) return std::nullopt;
  for (const Line& line : found->lines)
    if (!line.key.empty() && line.key == key) return line.value;
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name = OneLine(section);
  const std::string cleanKey = OneLine(key);
  if (name.empty() || cleanKey.empty() || cleanKey.find('=') != std::string::npos) return;
  Section* found = Find(name);
  if (found == nullptr) {
    // A blank line between sections keeps the file easy to read.
    if (!sections_.back().lines.empty() || sections_.size() > 1)
      sections_.back().lines.push_back({});
    sections_.push_back({name, {}});
    found = &sections_.back();
  }
  for (Line& line : found->lines) {
    if (line.key == cleanKey) {
      line.value = OneLine(value);
      return;
    }
  }
  // After the section's last key, before any blank lines that end it.
  auto at = found->lines.end();
  while (at != found->lines.begin() && std::prev(at)->key.empty() && std::prev(at)->value.empty())
    --at;
  found->lines.insert(at, {cleanKey, OneLine(value)});
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  if (Section* found = Find(section)) {
    std::erase_if(found->lines, [&](const Line& l) { return !l.key.empty() && l.key == key; });
  }
}

void IniDocument::RemoveSection(std::string_view section) {
  sections_.erase(std::remove_if(sections_.begin() + 1, sections_.end(),
                                 [&](const Section& s) { return s.name == section; }),
                  sections_.end());
}

std::vector<std::string> IniDocument::Sections() const {
  std::vector<std::string> names;
  for (size_t i = 1; i < sections_.size(); ++i) names.push_back(sections_[i].name);
  return names;
}

std::string ProfileSectionName(std::string_view utf8Name) {
  std::string out = "profile \"";
  for (char c : utf8Name) {
    if (c == '\\' || c == '"') out += '\\';
    if (c != '\n' && c != '\r') out += c;
  }
  out += '"';
  return out;
}

}  // namespace frontend
