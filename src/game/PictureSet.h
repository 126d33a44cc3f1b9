// Loading a picture archive in the chosen language, and switching the language of loaded pictures.
#pragma once

#include <cstdint>
#include <memory>
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

// Starts reading the archive Path in Language and decoding its pictures on a worker thread, those
// named in First first. LoadPictureArchive's English rules hold.
std::shared_ptr<engine::ArchiveLoad> StartPictureArchive(const std::string& path, Language language,
                                                         std::vector<std::string> first = {});
// Hands a started archive to List: what LoadPictureArchive gives and says, except that each
// picture arrives when it is decoded or first asked for.
bool TakePictureArchive(engine::TImageListCollection& list,
                        const std::shared_ptr<engine::ArchiveLoad>& load, bool& reported);

// The menu archive, the pictures of the first screen (the logo splash) first.
std::shared_ptr<engine::ArchiveLoad> StartMenuArchive(Language language);

// Puts the pictures of the English archive beside Path in place of their namesakes in Bytes (the
// archive Path holds). False, with Bytes unchanged, when either archive cannot be read.
bool PutEnglishPictures(std::vector<uint8_t>& bytes, const std::string& path);

// Makes Language the game's language and redraws the loaded menu, race and scenery pictures in
// it. The pictures change in place, so every sprite keeps its image; a screen that writes text
// picks up the new words on its next frame.
void SwitchLanguage(TForm1& form, Language language);

}  // namespace game
