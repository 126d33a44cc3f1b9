// Image archive reader and writer: round trips, the stream's value tags, and damaged archives.
#include "engine/OilArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using engine::OilItem;
using engine::ReadOilArchive;
using engine::WriteOilArchive;

bool SameItems(const std::vector<OilItem>& a, const std::vector<OilItem>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].png != b[i].png || a[i].tileWidth != b[i].tileWidth ||
        a[i].tileHeight != b[i].tileHeight || a[i].transparent != b[i].transparent ||
        a[i].transparentColor != b[i].transparentColor || a[i].filepath != b[i].filepath) {
      return false;
    }
  }
  return true;
}

std::vector<OilItem> SampleItems() {
  std::vector<OilItem> items(3);
  items[0].name = "b_up";
  items[0].png = {0x89, 'P', 'N', 'G', 1, 2, 3};  // the archive does not look inside
  items[0].tileWidth = 64;
  items[0].tileHeight = 300;  // needs a 16-bit integer
  items[0].transparent = true;
  items[0].transparentColor = 0x00FF00FF;  // needs a 32-bit integer
  items[1].name = std::string(300, 'x');   // longer than a short string
  items[1].tileWidth = -1;
  items[1].filepath = "wdata\\back.png";
  items[2].name = "";  // no picture, defaults everywhere
  return items;
}

// Builds archives by hand for the cases our writer never produces.
struct Bytes {
  std::vector<uint8_t> v;
  Bytes& B(std::initializer_list<int> bytes) {
    for (int b : bytes) v.push_back(static_cast<uint8_t>(b));
    return *this;
  }
  Bytes& S(const std::string& s) {  // short string
    v.push_back(static_cast<uint8_t>(s.size()));
    v.insert(v.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Header() {
    B({0xFF, 10, 0}).B({'X', 0}).B({0x30, 0x10, 0, 0, 0, 0});
    v.insert(v.end(), {'T', 'P', 'F', '0'});
    return S("TImageListCollectionComponent").S("Images").S("List").B({14});
  }
  Bytes& Tail() { return B({0, 0, 0}); }  // end of collection, of root properties, of children
};

bool Read(const std::vector<uint8_t>& data, std::vector<OilItem>& items, std::string& error) {
  items.clear();
  return ReadOilArchive(data.data(), data.size(), items, error);
}

TEST(OilArchiveTest, WriterAndReaderRoundTrip) {
  const std::vector<OilItem> items = SampleItems();
  const std::vector<uint8_t> data = WriteOilArchive(items);
  ASSERT_GT(data.size(), 40u);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 10);
  EXPECT_EQ(data[2], 0);
  // The header's data size counts everything after it.
  const size_t nameEnd = 3 + std::string("TIMAGELISTCOLLECTIONCOMPONENT").size() + 1;
  const uint32_t dataSize = data[nameEnd + 2] | data[nameEnd + 3] << 8 | data[nameEnd + 4] << 16 |
                            static_cast<uint32_t>(data[nameEnd + 5]) << 24;
  EXPECT_EQ(dataSize, data.size() - nameEnd - 6);
  EXPECT_EQ(std::string(data.begin() + nameEnd + 6, data.begin() + nameEnd + 10), "TPF0");

  std::vector<OilItem> back;
  std::string error;
  ASSERT_TRUE(Read(data, back, error)) << error;
  EXPECT_TRUE(SameItems(items, back));
  EXPECT_EQ(WriteOilArchive(back), data);  // and written again, byte for byte

  ASSERT_TRUE(Read(WriteOilArchive({}), back, error)) << error;
  EXPECT_TRUE(back.empty());
}

TEST(OilArchiveTest, ReadsIndexesIdentifiersAndEveryIntegerWidth) {
  Bytes a;
  a.Header();
  a.B({2, 0, 1}).S("Name").B({6}).S("first").S("TransparentColor").B({7}).S("clFuchsia");
  a.S("Transparent").B({9}).S("TileWidth").B({4, 0x00, 0x01, 0, 0}).S("TileHeight").B({2, 0xF0});
  a.B({0});
  a.B({3, 1, 0, 1}).S("Name").B({12, 3, 0, 0, 0, 'l', 'o', 'n'}).S("TransparentColor").B({7});
  a.S("clLime").S("Transparent").B({8}).S("Picture.Data").B({10, 4, 0, 0, 0, 3, 'B', 'M', 'P'});
  a.B({0});
  a.Tail();
  std::vector<OilItem> items;
  std::string error;
  ASSERT_TRUE(Read(a.v, items, error)) << error;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, "first");
  EXPECT_EQ(items[0].transparentColor, 0x00FF00FFu);
  EXPECT_TRUE(items[0].transparent);
  EXPECT_EQ(items[0].tileWidth, 256);
  EXPECT_EQ(items[0].tileHeight, -16);
  EXPECT_EQ(items[1].name, "lon");
  EXPECT_EQ(items[1].transparentColor, 0x0000FF00u);
  EXPECT_FALSE(items[1].transparent);
  EXPECT_TRUE(items[1].png.empty());  // a graphic class other than PNG gives no picture
}

TEST(OilArchiveTest, DamagedArchivesFailAndKeepTheItemsReadBefore) {
  const std::vector<uint8_t> good = WriteOilArchive(SampleItems());
  std::vector<OilItem> items;
  std::string error;

  std::vector<uint8_t> bad = good;
  bad[0] = 0xFE;
  EXPECT_FALSE(Read(bad, items, error));
  EXPECT_NE(error.find("Invalid stream format"), std::string::npos);
  EXPECT_TRUE(items.empty());

  bad = good;
  bad[1] = 11;  // resource type
  EXPECT_FALSE(Read(bad, items, error));

  bad = good;
  const size_t signature = std::string(good.begin(), good.end()).find("TPF0");
  bad[signature + 3] = '1';
  EXPECT_FALSE(Read(bad, items, error));
  EXPECT_NE(error.find("Invalid stream format"), std::string::npos);

  // Cut inside the second item: the first stays, the half-read one does not.
  const size_t secondName = std::string(good.begin(), good.end()).find(std::string(300, 'x'));
  bad.assign(good.begin(), good.begin() + static_cast<long>(secondName + 10));
  EXPECT_FALSE(Read(bad, items, error));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "b_up");

  Bytes unknownTag;
  unknownTag.Header().B({1}).S("Name").B({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).B({0}).Tail();
  EXPECT_FALSE(Read(unknownTag.v, items, error));
  EXPECT_NE(error.find("unknown value tag 5"), std::string::npos) << error;

  Bytes pastEnd;  // a binary block claiming 4 GB
  pastEnd.Header().B({1}).S("Picture.Data").B({10, 0xFF, 0xFF, 0xFF, 0xFF, 10}).S("TPNGObject");
  EXPECT_FALSE(Read(pastEnd.v, items, error));
  Bytes longString;
  longString.Header().B({1}).S("Name").B({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
  EXPECT_FALSE(Read(longString.v, items, error));
  Bytes className;  // class name longer than its block
  className.Header().B({1}).S("Picture.Data").B({10, 2, 0, 0, 0, 10, 'T'}).B({0}).Tail();
  EXPECT_FALSE(Read(className.v, items, error));

  Bytes unknownColor;
  unknownColor.Header().B({1}).S("TransparentColor").B({7}).S("clPlaid").B({0}).Tail();
  EXPECT_FALSE(Read(unknownColor.v, items, error));
  Bytes unknownProperty;
  unknownProperty.Header().B({1}).S("Colour").B({2, 1}).B({0}).Tail();
  EXPECT_FALSE(Read(unknownProperty.v, items, error));
  Bytes wrongType;
  wrongType.Header().B({1}).S("Transparent").B({2, 1}).B({0}).Tail();
  EXPECT_FALSE(Read(wrongType.v, items, error));
  Bytes child;
  child.Header().B({0, 0, 'x'});
  EXPECT_FALSE(Read(child.v, items, error));
}

TEST(OilArchiveTest, EveryTruncationAndByteFlipIsHandled) {
  const std::vector<uint8_t> good = WriteOilArchive(SampleItems());
  std::vector<OilItem> items;
  std::string error;
  size_t lastCount = 0;
  for (size_t length = 0; length < good.size(); ++length) {
    // An exactly sized copy, so a read past the end is caught by the sanitizers.
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
    ASSERT_FALSE(Read(cut, items, error)) << length;
    EXPECT_FALSE(error.empty());
    EXPECT_GE(items.size(), lastCount);  // a longer prefix never yields fewer items
    lastCount = items.size();
  }
  for (size_t i = 0; i < good.size(); ++i) {
    std::vector<uint8_t> flipped = good;
    flipped[i] ^= 0xA5;
    Read(flipped, items, error);  // may succeed or fail, but must stay inside the buffer
  }
}

}  // namespace
