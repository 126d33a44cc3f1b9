// Writing music into module patterns: note names, chords, bass lines, arpeggios, drum grids.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "audio/XmWriter.h"

namespace assetgen::audio {

// Pitches are numbered as in MIDI: 60 is middle C, which the module format calls C-4.
// "C4", "F#3", "Bb2"; -1 when the text is not a note name.
int ParseNote(std::string_view name);

struct Chord {
  int root = 0;                // pitch class, 0 = C
  std::vector<int> intervals;  // semitones above the root, root included
};

// "Am", "F", "G7", "Dm7", "Fmaj7", "Esus4", "Bb", "C#dim"; an unknown symbol gives C major.
Chord ParseChord(std::string_view symbol);
// Space-separated chord symbols, one a bar.
std::vector<Chord> ParseChords(std::string_view text);

// The chord's tones placed in the octave [low, low + 12), lowest first; with more tones than voices
// the fifth is left out first, with fewer the lowest tone is doubled an octave up.
std::vector<int> Voicing(const Chord& chord, int low, int voices);

// A drum grid symbol and what it plays.
struct Hit {
  char symbol;
  int instrument;
  int volume;
};

// Writes into one pattern. Rows are sixteenths; a bar is 16 rows. Volumes are 0..64 and are scaled
// by the composer's mix level, so a whole song can be balanced in one place.
class Composer {
 public:
  Composer(XmPattern& pattern, double mix) : pattern_(pattern), mix_(mix) {}

  void Note(int row, int channel, int pitch, int instrument, int volume);
  void KeyOff(int row, int channel);
  void Effect(int row, int channel, int effect, int param);

  // A melody: whitespace-separated tokens, each lasting rowsPerStep rows: a note name (optionally
  // "name:volume"), "." to hold, "-" to release. The text may cover any number of rows.
  void Line(int channel, int instrument, int volume, int rowsPerStep, std::string_view text,
            int firstRow = 0, int transpose = 0);

  // A drum grid: one character a row, repeated over the pattern; '.' is silence.
  void Beat(int channel, std::string_view grid, std::initializer_list<Hit> hits, int firstRow = 0,
            int rowCount = -1);

  // Held chords, one voice per channel from firstChannel, one chord a bar. The rhythm is one
  // character a row, repeated every bar: 'x' strikes, '-' releases, anything else holds. With
  // holdCommonTones a voice whose note does not change keeps ringing instead of being struck again.
  void Chords(int firstChannel, int voices, int instrument, int volume,
              const std::vector<Chord>& bars, std::string_view rhythm, int low,
              bool holdCommonTones = false);

  // A bass line over the chords: one character a row, repeated every bar: 'R' root, '3' third,
  // '5' fifth, '7' seventh (or octave), '8' octave, 'r' a softer root, '-' release, else hold.
  void Bass(int channel, int instrument, int volume, const std::vector<Chord>& bars,
            std::string_view rhythm, int low);

  // Broken chords: one character a row, repeated every bar: a digit picks a tone of the chord's
  // voicing counted upwards (beyond the voicing it continues an octave higher), '-' releases.
  void Arpeggio(int channel, int instrument, int volume, const std::vector<Chord>& bars,
                std::string_view order, int low, int voices = 3);

  // Copies a channel's notes later and quieter onto another channel: a tape echo.
  void Echo(int fromChannel, int toChannel, int delayRows, double gain);

 private:
  int Scaled(int volume) const;
  XmPattern& pattern_;
  double mix_;
};

}  // namespace assetgen::audio
