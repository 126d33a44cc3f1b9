// Encodes modules in the FastTracker 2 extended module layout: header, patterns, instruments.
#include "audio/XmWriter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "audio/AudioMath.h"

namespace assetgen::audio {

namespace {

constexpr uint32_t kSongHeaderSize = 276;
constexpr uint32_t kInstrumentHeaderSize = 263;
constexpr uint32_t kSampleHeaderSize = 40;

class Bytes {
 public:
  explicit Bytes(std::vector<uint8_t>& out) : out_(out) {}
  void U8(int v) { out_.push_back(static_cast<uint8_t>(v & 0xFF)); }
  void U16(uint32_t v) {
    U8(static_cast<int>(v & 0xFF));
    U8(static_cast<int>((v >> 8) & 0xFF));
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  // Fixed-width text, cut or padded with the given byte.
  void Text(const std::string& s, size_t width, uint8_t pad = 0) {
    for (size_t i = 0; i < width; ++i)
      out_.push_back(i < s.size() ? static_cast<uint8_t>(s[i]) : pad);
  }
  void Zeros(size_t n) { out_.insert(out_.end(), n, 0); }
  size_t Size() const { return out_.size(); }
  void Patch16(size_t at, uint32_t v) {
    out_[at] = static_cast<uint8_t>(v & 0xFF);
    out_[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
  }

 private:
  std::vector<uint8_t>& out_;
};

void WritePattern(Bytes& b, const XmPattern& p) {
  b.U32(9);  // pattern header length
  b.U8(0);   // packing type
  b.U16(static_cast<uint32_t>(p.Rows()));
  const size_t sizeAt = b.Size();
  b.U16(0);
  const size_t start = b.Size();
  for (int row = 0; row < p.Rows(); ++row) {
    for (int ch = 0; ch < p.Channels(); ++ch) {
      const XmCell& c = p.At(row, ch);
      // Packed form: a flag byte whose low bits say which of the five fields follow.
      int flags = 0x80;
      if (c.note) flags |= 0x01;
      if (c.instrument) flags |= 0x02;
      if (c.volume) flags |= 0x04;
      if (c.effect) flags |= 0x08;
      if (c.param) flags |= 0x10;
      b.U8(flags);
      if (c.note) b.U8(c.note);
      if (c.instrument) b.U8(c.instrument);
      if (c.volume) b.U8(c.volume);
      if (c.effect) b.U8(c.effect);
      if (c.param) b.U8(c.param);
    }
  }
  b.Patch16(sizeAt, static_cast<uint32_t>(b.Size() - start));
}

void WriteEnvelopePoints(Bytes& b, const XmEnvelope& e) {
  for (size_t i = 0; i < 12; ++i) {
    if (i < e.points.size()) {
      b.U16(static_cast<uint32_t>(e.points[i].first));
      b.U16(static_cast<uint32_t>(e.points[i].second));
    } else {
      b.U32(0);
    }
  }
}

void WriteInstrument(Bytes& b, const XmInstrument& ins) {
  const XmEnvelope& env = ins.volumeEnvelope;
  const XmSample& s = ins.sample;
  b.U32(kInstrumentHeaderSize);
  b.Text(ins.name, 22);
  b.U8(0);   // type
  b.U16(1);  // one sample
  b.U32(kSampleHeaderSize);
  b.Zeros(96);  // every note plays sample 0
  WriteEnvelopePoints(b, env);
  WriteEnvelopePoints(b, XmEnvelope{});  // no panning envelope
  b.U8(static_cast<int>(env.points.size()));
  b.U8(0);
  b.U8(std::max(env.sustain, 0));
  b.U8(std::max(env.loopStart, 0));
  b.U8(std::max(env.loopEnd, 0));
  b.Zeros(3);  // panning sustain and loop
  int envType = 0;
  if (!env.points.empty()) envType |= 1;
  if (env.sustain >= 0) envType |= 2;
  if (env.loopStart >= 0 && env.loopEnd >= 0) envType |= 4;
  b.U8(envType);
  b.U8(0);  // panning envelope off
  b.U8(ins.vibratoType);
  b.U8(ins.vibratoSweep);
  b.U8(ins.vibratoDepth);
  b.U8(ins.vibratoRate);
  b.U16(static_cast<uint32_t>(ins.fadeout));
  b.Zeros(kInstrumentHeaderSize - 241);  // reserved

  // Sample header: lengths in bytes for 16-bit data.
  const uint32_t length = static_cast<uint32_t>(s.data.size());
  b.U32(length * 2);
  b.U32(static_cast<uint32_t>(s.loopLength > 0 ? s.loopStart * 2 : 0));
  b.U32(static_cast<uint32_t>(s.loopLength > 0 ? s.loopLength * 2 : 0));
  b.U8(s.volume);
  b.U8(s.finetune);
  b.U8(0x10 | (s.loopLength > 0 ? 1 : 0));  // 16-bit, forward loop
  b.U8(s.panning);
  b.U8(s.relativeNote);
  b.U8(0);
  b.Text(s.name, 22);

  // Sample data is stored as differences between neighbours.
  int16_t previous = 0;
  for (int16_t v : s.data) {
    b.U16(static_cast<uint16_t>(static_cast<uint16_t>(v) - static_cast<uint16_t>(previous)));
    previous = v;
  }
}

bool Check(const XmModule& m, std::string& error) {
  if (m.channels < 1 || m.channels > kXmMaxChannels) {
    error = "module \"" + m.name + "\": channel count out of range";
  } else if (m.orders.empty() || m.orders.size() > 256) {
    error = "module \"" + m.name + "\": order list must hold 1..256 entries";
  } else if (m.restart < 0 || m.restart >= static_cast<int>(m.orders.size())) {
    error = "module \"" + m.name + "\": restart position outside the order list";
  } else if (m.patterns.empty() || m.patterns.size() > 256 || m.instruments.size() > 128) {
    error = "module \"" + m.name + "\": too many patterns or instruments";
  } else if (m.speed < 1 || m.speed > 31 || m.bpm < 32 || m.bpm > 255) {
    error = "module \"" + m.name + "\": speed or tempo out of range";
  }
  if (!error.empty()) return false;
  for (uint8_t order : m.orders) {
    if (order >= m.patterns.size()) {
      error = "module \"" + m.name + "\": order refers to a missing pattern";
      return false;
    }
  }
  for (const XmPattern& p : m.patterns) {
    if (p.Channels() != m.channels || p.Rows() < 1 || p.Rows() > 256) {
      error = "module \"" + m.name + "\": pattern size does not fit the module";
      return false;
    }
  }
  for (const XmInstrument& ins : m.instruments) {
    const XmSample& s = ins.sample;
    const bool badLoop =
        s.loopLength > 0 &&
        (s.loopStart < 0 || s.loopStart + s.loopLength > static_cast<int>(s.data.size()));
    if (badLoop || ins.volumeEnvelope.points.size() > 12) {
      error = "instrument \"" + ins.name + "\": sample loop or envelope out of range";
      return false;
    }
  }
  return true;
}

}  // namespace

XmPattern::XmPattern(int rows, int channels)
    : rows_(rows), channels_(channels), cells_(static_cast<size_t>(rows * channels)) {}

void XmSample::TuneTo(double rateForC4) {
  const double semitones = 12.0 * Log2(rateForC4 / kXmBaseRate);
  relativeNote = static_cast<int>(std::lround(semitones));
  finetune =
      std::clamp(static_cast<int>(std::lround((semitones - relativeNote) * 128.0)), -128, 127);
}

bool EncodeXm(const XmModule& m, std::vector<uint8_t>& out, std::string& error) {
  error.clear();
  if (!Check(m, error)) return false;
  out.clear();
  Bytes b(out);
  b.Text("Extended Module: ", 17);
  b.Text(m.name, 20);
  b.U8(0x1A);
  b.Text("Vornakel assetgen", 20);
  b.U16(0x0104);
  b.U32(kSongHeaderSize);
  b.U16(static_cast<uint32_t>(m.orders.size()));
  b.U16(static_cast<uint32_t>(m.restart));
  b.U16(static_cast<uint32_t>(m.channels));
  b.U16(static_cast<uint32_t>(m.patterns.size()));
  b.U16(static_cast<uint32_t>(m.instruments.size()));
  b.U16(1);  // linear frequency table
  b.U16(static_cast<uint32_t>(m.speed));
  b.U16(static_cast<uint32_t>(m.bpm));
  for (size_t i = 0; i < 256; ++i) b.U8(i < m.orders.size() ? m.orders[i] : 0);
  for (const XmPattern& p : m.patterns) WritePattern(b, p);
  for (const XmInstrument& ins : m.instruments) WriteInstrument(b, ins);
  return true;
}

}  // namespace assetgen::audio
