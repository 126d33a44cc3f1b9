// The image archive file (.oil): one streamed image-list component holding named PNG pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// One image of an archive, as stored.
struct OilItem {
  std::string name;
  std::vector<uint8_t> png;  // a complete PNG file; empty when the item has no picture
  int tileWidth = 0;         // 0: not stored (the whole picture)
  int tileHeight = 0;
  bool transparent = false;
  uint32_t transparentColor = 0;  // 0x00BBGGRR
  std::string filepath;
};

// Writes the archive: resource header, "TPF0" component stream, the items as a collection.
std::vector<uint8_t> WriteOilArchive(const std::vector<OilItem>& items);

// Reads an archive. On failure returns false with a description in Error; the items read completely
// before the failure stay in Items. Never reads outside Data[0, Size).
bool ReadOilArchive(const uint8_t* data, size_t size, std::vector<OilItem>& items,
                    std::string& error);

// The standard colour identifiers an archive may use for TransparentColor ("clBlack" ...). Returns
// false for an unknown name.
bool ColorFromIdent(std::string_view ident, uint32_t& color);

}  // namespace engine
