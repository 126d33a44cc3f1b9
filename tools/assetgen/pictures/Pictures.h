// Renders the manifest's pictures and packs them into the two image archives (and a review sheet).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/Manifest.h"
#include "platform/RenderDevice.h"

namespace assetgen {

// Draws every pattern of one picture into a picture of Pic.Width() x Pic.Height().
platform::Pixels RenderPicture(const Picture& pic);

// The bytes of one archive: its pictures in manifest order, each as PNG with its tile size.
bool BuildArchive(Archive archive, std::vector<uint8_t>& bytes, std::string& error);

// The bytes of one scenery theme's archive: its pictures in manifest order.
bool BuildThemeArchive(int theme, std::vector<uint8_t>& bytes, std::string& error);

// Writes DataDir/data1.oil (menus), DataDir/data2.oil (races) and one scenery archive per theme
// (DataDir/theme_NAME.oil), and beside each the English set of its pictures with words
// (NAME_en.oil) where it has any.
bool WritePictures(const std::string& dataDir, std::string& error);

// Draws every picture with its name, archive and tile grid into one PNG for review.
bool WriteContactSheet(const std::string& pngPath, std::string& error);

}  // namespace assetgen
