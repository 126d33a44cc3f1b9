// Reading and rewriting vornakel.ini.
#include "frontend/GameIni.h"

#include <string>

#include "frontend/Settings.h"

namespace frontend {

IniDocument ReadGameIni() {
  std::string content;
  if (!ReadSettingsFile(kGameIniFileName, content)) return IniDocument{};
  return IniDocument::Parse(content);
}

bool UpdateGameIni(game::TForm1& form, const std::function<void(IniDocument&)>& update) {
  IniDocument ini = ReadGameIni();
  update(ini);
  return WriteSettingsFile(form, kGameIniFileName, ini.Serialize());
}

}  // namespace frontend
