// Turns note names, chord symbols and rhythm grids into pattern cells.
#include "audio/Composer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <string>

namespace assetgen::audio {

namespace {

constexpr int kRowsPerBar = 16;

// Cuts text into whitespace-separated tokens.
std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    size_t j = i;
    while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j]))) ++j;
    if (j > i) out.push_back(text.substr(i, j - i));
    i = j;
  }
  return out;
}

int PitchClass(char letter) {
  switch (letter) {
    case 'C':
      return 0;
    case 'D':
      return 2;
    case 'E':
      return 4;
    case 'F':
      return 5;
    case 'G':
      return 7;
    case 'A':
      return 9;
    case 'B':
      return 11;
    default:
      return -1;
  }
}

// Reads "C", "F#", "Bb" from the start of text; returns the pitch class and how many chars it used.
int ReadPitchClass(std::string_view text, size_t& used) {
  used = 0;
  if (text.empty()) return -1;
  int pc = PitchClass(text[0]);
  if (pc < 0) return -1;
  used = 1;
  if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
    pc += text[1] == '#' ? 1 : -1;
    used = 2;
  }
  return (pc + 12) % 12;
}

int ThirdOf(const Chord& c) {
  for (int i : c.intervals)
    if (i == 3 || i == 4) return i;
  return c.intervals.size() > 1 ? c.intervals[1] : 0;
}

int SeventhOf(const Chord& c) {
  for (int i : c.intervals)
    if (i == 10 || i == 11) return i;
  return 12;
}

const Chord& BarChord(const std::vector<Chord>& bars, int row) {
  static const Chord kSilence{0, {0, 4, 7}};
  if (bars.empty()) return kSilence;
  return bars[static_cast<size_t>(row / kRowsPerBar) % bars.size()];
}

}  // namespace

int ParseNote(std::string_view name) {
  size_t used = 0;
  const int pc = ReadPitchClass(name, used);
  if (pc < 0 || used >= name.size()) return -1;
  int octave = 0;
  for (size_t i = used; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
    octave = octave * 10 + (name[i] - '0');
  }
  // "Cb4" and "B#3" step across the octave boundary like any other accidental.
  int pitch = (octave + 1) * 12 + pc;
  if (name[0] == 'C' && used == 2 && name[1] == 'b') pitch -= 12;
  if (name[0] == 'B' && used == 2 && name[1] == '#') pitch += 12;
  return pitch;
}

Chord ParseChord(std::string_view symbol) {
  size_t used = 0;
  const int pc = ReadPitchClass(symbol, used);
  Chord chord{pc < 0 ? 0 : pc, {0, 4, 7}};
  const std::string_view quality = pc < 0 ? std::string_view{} : symbol.substr(used);
  if (quality == "m")
    chord.intervals = {0, 3, 7};
  else if (quality == "7")
    chord.intervals = {0, 4, 7, 10};
  else if (quality == "m7")
    chord.intervals = {0, 3, 7, 10};
  else if (quality == "maj7")
    chord.intervals = {0, 4, 7, 11};
  else if (quality == "sus4")
    chord.intervals = {0, 5, 7};
  else if (quality == "sus2")
    chord.intervals = {0, 2, 7};
  else if (quality == "dim")
    chord.intervals = {0, 3, 6};
  else if (quality == "add9")
    chord.intervals = {0, 4, 7, 14};
  else if (quality == "madd9")
    chord.intervals = {0, 3, 7, 14};
  return chord;
}

std::vector<Chord> ParseChords(std::string_view text) {
  std::vector<Chord> out;
  for (std::string_view t : Tokens(text)) out.push_back(ParseChord(t));
  return out;
}

std::vector<int> Voicing(const Chord& chord, int low, int voices) {
  std::vector<int> intervals = chord.intervals;
  while (static_cast<int>(intervals.size()) > voices && intervals.size() > 1) {
    auto fifth = std::find(intervals.begin(), intervals.end(), 7);
    intervals.erase(fifth != intervals.end() ? fifth : intervals.end() - 1);
  }
  std::vector<int> notes;
  for (int i : intervals) {
    const int pc = (chord.root + i) % 12;
    int n = low + ((pc - low) % 12 + 12) % 12;
    notes.push_back(n);
  }
  std::sort(notes.begin(), notes.end());
  for (size_t k = 0; static_cast<int>(notes.size()) < voices; ++k) notes.push_back(notes[k] + 12);
  return notes;
}

int Composer::Scaled(int volume) const {
  return std::clamp(static_cast<int>(std::lround(volume * mix_)), 0, 64);
}

void Composer::Note(int row, int channel, int pitch, int instrument, int volume) {
  if (row < 0 || row >= pattern_.Rows() || channel < 0 || channel >= pattern_.Channels()) return;
  XmCell& c = pattern_.At(row, channel);
  c.note = static_cast<uint8_t>(std::clamp(pitch - 11, 1, 96));
  c.instrument = static_cast<uint8_t>(instrument);
  c.volume = static_cast<uint8_t>(0x10 + Scaled(volume));
}

void Composer::KeyOff(int row, int channel) {
  if (row < 0 || row >= pattern_.Rows() || channel < 0 || channel >= pattern_.Channels()) return;
  XmCell& c = pattern_.At(row, channel);
  c = XmCell{};
  c.note = kXmKeyOff;
}

void Composer::Effect(int row, int channel, int effect, int param) {
  if (row < 0 || row >= pattern_.Rows() || channel < 0 || channel >= pattern_.Channels()) return;
  XmCell& c = pattern_.At(row, channel);
  c.effect = static_cast<uint8_t>(effect);
  c.param = static_cast<uint8_t>(param);
}

void Composer::Line(int channel, int instrument, int volume, int rowsPerStep, std::string_view text,
                    int firstRow, int transpose) {
  int row = firstRow;
  for (std::string_view token : Tokens(text)) {
    if (token == "-") {
      KeyOff(row, channel);
    } else if (token != ".") {
      int noteVolume = volume;
      const size_t colon = token.find(':');
      if (colon != std::string_view::npos) {
        noteVolume = std::atoi(std::string(token.substr(colon + 1)).c_str());
        token = token.substr(0, colon);
      }
      const int pitch = ParseNote(token);
      if (pitch >= 0) Note(row, channel, pitch + transpose, instrument, noteVolume);
    }
    row += rowsPerStep;
  }
}

void Composer::Beat(int channel, std::string_view grid, std::initializer_list<Hit> hits,
                    int firstRow, int rowCount) {
  if (grid.empty()) return;
  const int end = rowCount < 0 ? pattern_.Rows() : std::min(pattern_.Rows(), firstRow + rowCount);
  for (int row = firstRow; row < end; ++row) {
    const char symbol = grid[static_cast<size_t>(row - firstRow) % grid.size()];
    for (const Hit& h : hits) {
      if (h.symbol == symbol) Note(row, channel, 60, h.instrument, h.volume);
    }
  }
}

void Composer::Chords(int firstChannel, int voices, int instrument, int volume,
                      const std::vector<Chord>& bars, std::string_view rhythm, int low,
                      bool holdCommonTones) {
  if (rhythm.empty()) return;
  // A tone the next chord shares rings on instead of being struck again.
  std::vector<int> sounding(static_cast<size_t>(voices), -1);
  for (int row = 0; row < pattern_.Rows(); ++row) {
    const char r = rhythm[static_cast<size_t>(row % kRowsPerBar) % rhythm.size()];
    if (r == 'x') {
      const std::vector<int> notes = Voicing(BarChord(bars, row), low, voices);
      for (int v = 0; v < voices; ++v) {
        if (holdCommonTones && notes[v] == sounding[v]) continue;
        Note(row, firstChannel + v, notes[v], instrument, volume);
        sounding[v] = notes[v];
      }
    } else if (r == '-') {
      for (int v = 0; v < voices; ++v) KeyOff(row, firstChannel + v);
      std::fill(sounding.begin(), sounding.end(), -1);
    }
  }
}

void Composer::Bass(int channel, int instrument, int volume, const std::vector<Chord>& bars,
                    std::string_view rhythm, int low) {
  if (rhythm.empty()) return;
  for (int row = 0; row < pattern_.Rows(); ++row) {
    const char r = rhythm[static_cast<size_t>(row % kRowsPerBar) % rhythm.size()];
    const Chord& chord = BarChord(bars, row);
    const int root = low + ((chord.root - low) % 12 + 12) % 12;
    switch (r) {
      case 'R':
        Note(row, channel, root, instrument, volume);
        break;
      case 'r':
        Note(row, channel, root, instrument, volume * 3 / 4);
        break;
      case '3':
        Note(row, channel, root + ThirdOf(chord), instrument, volume);
        break;
      case '5':
        Note(row, channel, root + 7, instrument, volume);
        break;
      case '7':
        Note(row, channel, root + SeventhOf(chord), instrument, volume);
        break;
      case '8':
        Note(row, channel, root + 12, instrument, volume);
        break;
      case '-':
        KeyOff(row, channel);
        break;
      default:
        break;
    }
  }
}

void Composer::Arpeggio(int channel, int instrument, int volume, const std::vector<Chord>& bars,
                        std::string_view order, int low, int voices) {
  if (order.empty()) return;
  for (int row = 0; row < pattern_.Rows(); ++row) {
    const char r = order[static_cast<size_t>(row % kRowsPerBar) % order.size()];
    if (r >= '0' && r <= '9') {
      const std::vector<int> notes = Voicing(BarChord(bars, row), low, voices);
      const int index = r - '0';
      const int n = static_cast<int>(notes.size());
      Note(row, channel, notes[static_cast<size_t>(index % n)] + 12 * (index / n), instrument,
           volume);
    } else if (r == '-') {
      KeyOff(row, channel);
    }
  }
}

void Composer::Echo(int fromChannel, int toChannel, int delayRows, double gain) {
  for (int row = pattern_.Rows() - 1 - delayRows; row >= 0; --row) {
    const XmCell src = pattern_.At(row, fromChannel);
    if (src.note == 0) continue;
    XmCell& dst = pattern_.At(row + delayRows, toChannel);
    dst = src;
    dst.effect = 0;
    dst.param = 0;
    if (src.note != kXmKeyOff && src.volume >= 0x10) {
      const int v = static_cast<int>(std::lround((src.volume - 0x10) * gain));
      dst.volume = static_cast<uint8_t>(0x10 + std::clamp(v, 0, 64));
    }
  }
}

}  // namespace assetgen::audio
