// The --fill-profile table: the pixels each picture filled in one frame, opaque and blended.
#include "app/FillProfile.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace app {
namespace {

std::string TextureName(platform::TextureId id, game::TForm1& form) {
  if (id == platform::kClearFill) return "(clear)";
  if (id == 0) return "(untextured)";
  for (engine::TOmegaImageList* list :
       {&form.OmegaImageList1, &form.GameImageList, &form.ThemeImageList, &form.ShareList}) {
    for (int i = 0; i < list->Count(); ++i) {
      const engine::TImageListItem* item = list->Items(i);
      if (item != nullptr && item->Texture() == id) return item->Name;
    }
  }
  return "(text)";  // strings the fonts drew into textures of their own
}

}  // namespace

std::string FillProfileTable(const platform::FillTable& fill, game::TForm1& form, int width,
                             int height) {
  struct Row {
    std::string name;
    platform::FillCount count;
  };
  std::vector<Row> rows;
  for (const auto& [id, count] : fill) {
    const std::string name = TextureName(id, form);
    auto same =
        std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r.name == name; });
    if (same == rows.end()) {
      rows.push_back({name, count});
    } else {
      same->count.opaque += count.opaque;
      same->count.blended += count.blended;
      same->count.quads += count.quads;
    }
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return a.count.opaque + a.count.blended > b.count.opaque + b.count.blended;
  });
  const double screen = static_cast<double>(width) * height;
  std::string out = "fill picture quads opaque_px blended_px screens\n";
  platform::FillCount total;
  char line[200];
  for (const Row& row : rows) {
    std::snprintf(line, sizeof line, "fill %s %llu %.0f %.0f %.2f\n", row.name.c_str(),
                  static_cast<unsigned long long>(row.count.quads), row.count.opaque,
                  row.count.blended, (row.count.opaque + row.count.blended) / screen);
    out += line;
    total.opaque += row.count.opaque;
    total.blended += row.count.blended;
    total.quads += row.count.quads;
  }
  std::snprintf(line, sizeof line, "fill (total) %llu %.0f %.0f %.2f\n",
                static_cast<unsigned long long>(total.quads), total.opaque, total.blended,
                (total.opaque + total.blended) / screen);
  out += line;
  return out;
}

}  // namespace app
