// Reader and writer of the image archive: a resource header, then a "TPF0" component stream whose
// one property, List, is a collection of image items.
#include "engine/OilArchive.h"

#include <array>
#include <cstring>

namespace engine {
namespace {

// Value tags of the component stream.
enum Tag : uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kLString = 12,
  kCollection = 14,
};

constexpr uint16_t kResourceTypeRcData = 10;
constexpr uint16_t kResourceMemoryFlags = 0x1030;
constexpr char kRootClass[] = "TImageListCollectionComponent";
constexpr char kResourceName[] = "TIMAGELISTCOLLECTIONCOMPONENT";
constexpr char kInstanceName[] = "ImageListCollection";
constexpr char kPngClass[] = "TPNGObject";

bool IsKnownTag(uint8_t tag) {
  switch (tag) {
    case kNull:
    case kList:
    case kInt8:
    case kInt16:
    case kInt32:
    case kString:
    case kIdent:
    case kFalse:
    case kTrue:
    case kBinary:
    case kLString:
    case kCollection:
      return true;
    default:
      return false;
  }
}

struct ColorName {
  std::string_view name;
  uint32_t color;
};

// The colour identifiers of the component streaming system (0x00BBGGRR); clNone and clDefault are
// markers above the colour range and never match a pixel.
constexpr std::array<ColorName, 24> kColorNames = {{
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clLtGray", 0xC0C0C0},  {"clDkGray", 0x808080},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},    {"clNone", 0x1FFFFFFF},  {"clDefault", 0x20000000},
}};

// Bounds-checked reading of the stream; every failure leaves a message in error.
class StreamReader {
 public:
  StreamReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  std::string error;

  bool Fail(std::string message) {
    if (error.empty()) error = std::move(message) + " at offset " + std::to_string(position_);
    return false;
  }
  bool AtEnd() const { return position_ >= size_; }

  bool Peek(uint8_t& out) {
    if (position_ >= size_) return Fail("unexpected end of the stream");
    out = data_[position_];
    return true;
  }
  bool Byte(uint8_t& out) {
    if (!Peek(out)) return false;
    ++position_;
    return true;
  }
  bool Bytes(size_t count, const uint8_t*& out) {
    if (count > size_ - position_) return Fail("a length runs past the end of the stream");
    out = data_ + position_;
    position_ += count;
    return true;
  }
  bool Skip(size_t count) {
    const uint8_t* ignored = nullptr;
    return Bytes(count, ignored);
  }
  bool U16(uint16_t& out) {
    const uint8_t* p = nullptr;
    if (!Bytes(2, p)) return false;
    out = static_cast<uint16_t>(p[0] | p[1] << 8);
    return true;
  }
  bool U32(uint32_t& out) {
    const uint8_t* p = nullptr;
    if (!Bytes(4, p)) return false;
    out = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
          static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return true;
  }
  bool Text(size_t length, std::string& out) {
    const uint8_t* p = nullptr;
    if (!Bytes(length, p)) return false;
    out.assign(reinterpret_cast<const char*>(p), length);
    return true;
  }
  // A string with a one-byte length.
  bool ShortString(std::string& out) {
    uint8_t length = 0;
    return Byte(length) && Text(length, out);
  }
  // A zero-terminated string (the resource name).
  bool CString() {
    uint8_t c = 1;
    while (c != 0) {
      if (!Byte(c)) return false;
    }
    return true;
  }

  // A value tag; tags the stream format does not have are refused here.
  bool ValueTag(uint8_t& tag) {
    if (!Byte(tag)) return false;
    if (!IsKnownTag(tag)) return Fail("unknown value tag " + std::to_string(tag));
    return true;
  }
  // The integer following an integer tag.
  bool IntegerOf(uint8_t tag, int32_t& out) {
    const uint8_t* p = nullptr;
    switch (tag) {
      case kInt8:
        if (!Bytes(1, p)) return false;
        out = static_cast<int8_t>(p[0]);
        return true;
      case kInt16: {
        uint16_t v = 0;
        if (!U16(v)) return false;
        out = static_cast<int16_t>(v);
        return true;
      }
      case kInt32: {
        uint32_t v = 0;
        if (!U32(v)) return false;
        out = static_cast<int32_t>(v);
        return true;
      }
      default:
        return Fail("an integer was expected");
    }
  }
  bool Integer(int32_t& out) {
    uint8_t tag = 0;
    return ValueTag(tag) && IntegerOf(tag, out);
  }
  bool StringValue(std::string& out) {
    uint8_t tag = 0;
    if (!ValueTag(tag)) return false;
    if (tag == kString) return ShortString(out);
    if (tag == kLString) {
      uint32_t length = 0;
      return U32(length) && Text(length, out);
    }
    return Fail("a string was expected");
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

// Picture.Data: the graphic's class name, then that graphic's own data.
bool ReadPicture(StreamReader& in, OilItem& item) {
  uint8_t tag = 0;
  if (!in.ValueTag(tag)) return false;
  if (tag != kBinary) return in.Fail("Picture.Data is not binary data");
  uint32_t length = 0;
  const uint8_t* block = nullptr;
  if (!in.U32(length) || !in.Bytes(length, block)) return false;
  item.png.clear();
  if (length == 0) return true;
  const size_t nameLength = block[0];
  if (1 + nameLength > length) return in.Fail("the picture's class name runs past its data");
  const std::string_view className(reinterpret_cast<const char*>(block + 1), nameLength);
  // Only PNG pictures occur; any other graphic class leaves the item without a picture.
  if (className == kPngClass) item.png.assign(block + 1 + nameLength, block + length);
  return true;
}

bool ReadItemProperty(StreamReader& in, const std::string& name, OilItem& item) {
  if (name == "Name") return in.StringValue(item.name);
  if (name == "Filepath") return in.StringValue(item.filepath);
  if (name == "Picture.Data") return ReadPicture(in, item);
  if (name == "TileWidth") return in.Integer(item.tileWidth);
  if (name == "TileHeight") return in.Integer(item.tileHeight);
  uint8_t tag = 0;
  if (name == "Transparent") {
    if (!in.ValueTag(tag)) return false;
    if (tag != kFalse && tag != kTrue) return in.Fail("Transparent is not a Boolean");
    item.transparent = tag == kTrue;
    return true;
  }
  if (name == "TransparentColor") {
    if (!in.ValueTag(tag)) return false;
    if (tag == kIdent) {
      std::string ident;
      if (!in.ShortString(ident)) return false;
      if (!ColorFromIdent(ident, item.transparentColor)) {
        return in.Fail("unknown colour \"" + ident + "\"");
      }
      return true;
    }
    int32_t value = 0;
    if (!in.IntegerOf(tag, value)) return false;
    item.transparentColor = static_cast<uint32_t>(value);
    return true;
  }
  return in.Fail("property \"" + name + "\" does not exist");
}

bool ReadCollection(StreamReader& in, std::vector<OilItem>& items) {
  uint8_t tag = 0;
  if (!in.ValueTag(tag)) return false;
  if (tag != kCollection) return in.Fail("List is not a collection");
  for (;;) {
    if (!in.ValueTag(tag)) return false;
    if (tag == kNull) return true;
    if (tag == kInt8 || tag == kInt16 || tag == kInt32) {
      int32_t index = 0;  // the item's index: informative only
      if (!in.IntegerOf(tag, index) || !in.ValueTag(tag)) return false;
    }
    if (tag != kList) return in.Fail("a collection item was expected");
    OilItem item;
    for (;;) {
      std::string property;
      if (!in.ShortString(property)) return false;
      if (property.empty()) break;
      if (!ReadItemProperty(in, property, item)) return false;
    }
    items.push_back(std::move(item));
  }
}

bool ReadArchive(StreamReader& in, std::vector<OilItem>& items) {
  uint8_t first = 0;
  uint16_t type = 0;
  if (!in.Byte(first) || first != 0xFF || !in.U16(type) || type != kResourceTypeRcData) {
    return in.Fail("Invalid stream format");
  }
  if (!in.CString() || !in.Skip(6)) return false;  // resource name, memory flags, data size
  const uint8_t* signature = nullptr;
  if (!in.Bytes(4, signature) || std::memcmp(signature, "TPF0", 4) != 0) {
    return in.Fail("Invalid stream format");
  }
  // An optional filer prefix (flags in the high nibble's F0 byte, then a child position).
  uint8_t next = 0;
  if (!in.Peek(next)) return false;
  if ((next & 0xF0) == 0xF0) {
    uint8_t flags = 0;
    int32_t childPos = 0;
    if (!in.Byte(flags)) return false;
    if ((flags & 0x02) != 0 && !in.Integer(childPos)) return false;
  }
  std::string className;
  std::string instanceName;
  if (!in.ShortString(className) || !in.ShortString(instanceName)) return false;
  bool sawList = false;
  for (;;) {
    std::string property;
    if (!in.ShortString(property)) return false;
    if (property.empty()) break;
    if (property != "List") return in.Fail("property \"" + property + "\" does not exist");
    // A second List replaces the first, as loading a collection always starts empty.
    if (sawList) items.clear();
    sawList = true;
    if (!ReadCollection(in, items)) return false;
  }
  uint8_t children = 0;
  if (!in.Byte(children)) return false;
  if (children != 0) return in.Fail("the archive holds an unexpected child component");
  return true;
}

class StreamWriter {
 public:
  std::vector<uint8_t> out;

  void Byte(uint8_t b) { out.push_back(b); }
  void U16(uint16_t v) {
    Byte(static_cast<uint8_t>(v));
    Byte(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Raw(std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }
  // Names (class, instance, property) are short strings; longer ones are cut at 255 bytes.
  void ShortString(std::string_view text) {
    const size_t length = text.size() < 256 ? text.size() : 255;
    Byte(static_cast<uint8_t>(length));
    Raw(text.substr(0, length));
  }
  void Integer(int32_t v) {
    if (v >= -128 && v <= 127) {
      Byte(kInt8);
      Byte(static_cast<uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
      Byte(kInt16);
      U16(static_cast<uint16_t>(v));
    } else {
      Byte(kInt32);
      U32(static_cast<uint32_t>(v));
    }
  }
  void StringValue(std::string_view text) {
    if (text.size() <= 255) {
      Byte(kString);
      ShortString(text);
    } else {
      Byte(kLString);
      U32(static_cast<uint32_t>(text.size()));
      Raw(text);
    }
  }
};

}  // namespace

bool ColorFromIdent(std::string_view ident, uint32_t& color) {
  for (const ColorName& entry : kColorNames) {
    if (entry.name.size() != ident.size()) continue;
    // Identifiers are matched regardless of case, as the streaming system does.
    bool same = true;
    for (size_t i = 0; i < ident.size() && same; ++i) {
      const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
      };
      same = lower(entry.name[i]) == lower(ident[i]);
    }
    if (same) {
      color = entry.color;
      return true;
    }
  }
  return false;
}

bool ReadOilArchive(const uint8_t* data, size_t size, std::vector<OilItem>& items,
                    std::string& error) {
  StreamReader in(data, data == nullptr ? 0 : size);
  const bool ok = ReadArchive(in, items);
  error = ok ? std::string() : in.error;
  return ok;
}

std::vector<uint8_t> WriteOilArchive(const std::vector<OilItem>& items) {
  StreamWriter w;
  w.Byte(0xFF);
  w.U16(kResourceTypeRcData);
  w.Raw(kResourceName);
  w.Byte(0);
  w.U16(kResourceMemoryFlags);
  const size_t sizeAt = w.out.size();
  w.U32(0);  // data size, patched below
  const size_t dataStart = w.out.size();

  w.Raw("TPF0");
  w.ShortString(kRootClass);
  w.ShortString(kInstanceName);
  w.ShortString("List");
  w.Byte(kCollection);
  for (const OilItem& item : items) {
    w.Byte(kList);
    w.ShortString("Name");
    w.StringValue(item.name);
    if (!item.png.empty()) {
      w.ShortString("Picture.Data");
      w.Byte(kBinary);
      const std::string_view className = kPngClass;
      w.U32(static_cast<uint32_t>(1 + className.size() + item.png.size()));
      w.ShortString(className);
      w.out.insert(w.out.end(), item.png.begin(), item.png.end());
    }
    w.ShortString("TileHeight");
    w.Integer(item.tileHeight);
    w.ShortString("TileWidth");
    w.Integer(item.tileWidth);
    w.ShortString("TransparentColor");
    w.Integer(static_cast<int32_t>(item.transparentColor));
    w.ShortString("Transparent");
    w.Byte(item.transparent ? kTrue : kFalse);
    if (!item.filepath.empty()) {
      w.ShortString("Filepath");
      w.StringValue(item.filepath);
    }
    w.Byte(0);  // end of the item's properties
  }
  w.Byte(0);  // end of the collection
  w.Byte(0);  // end of the root's properties
  w.Byte(0);  // end of the root's children

  const auto dataSize = static_cast<uint32_t>(w.out.size() - dataStart);
  for (int i = 0; i < 4; ++i) w.out[sizeAt + i] = static_cast<uint8_t>(dataSize >> (8 * i));
  return std::move(w.out);
}

}  // namespace engine
