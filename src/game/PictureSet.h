// Loading a picture archive in the chosen language, and switching the language of loaded pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/OmegaImageList.h"
#include "game/Language.h"

namespace game {

class TForm1;

// Loads the archive Path ("Data\data1.oil") into List. In English the pictures of the English
// archive beside it take the place of their namesakes before anything is decoded, so only one set
// is held. A missing or damaged English archive leaves the Russian pictures and, unless Reported is
// already set, says so once (and sets it). Gives what loading the archive alone gives.
bool LoadPictureArchive(engine::TImageListCollection& list, const std::string& path,
                        Language language, bool& reported);

// Puts the pictures of the English archive beside Path in place of their namesakes in Bytes (the
// archive Path holds). False, with Bytes unchanged, when either archive cannot be read.
bool PutEnglishPictures(std::vector<uint8_t>& bytes, const std::string& path);

// Makes Language the game's language and redraws the loaded menu, race and scenery pictures in
// it. The pictures change in place, so every sprite keeps its image; a screen that writes text
// picks up the new words on its next frame.
void SwitchLanguage(TForm1& form, Language language);

}  // namespace game
