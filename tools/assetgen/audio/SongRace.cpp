// The race theme: a driving A minor tune at 150 beats a minute with pumping bass and bright plucks.
#include "audio/Composer.h"
#include "audio/Instruments.h"
#include "audio/Songs.h"

namespace assetgen::audio {

namespace {

enum Instrument : int { kKick = 1, kSnare, kHat, kOpenHat, kCrash, kBass, kPad, kLead, kPluck };

constexpr int kBpm = 150;
constexpr double kMix = 1.0;

constexpr const char* kTuneA1 =
    "E5 . . D5 E5 . A4 .   F5 . . E5 C5 . A4 .   D5 . . C5 D5 . G5 .   E5 . . . B4 . . .";
constexpr const char* kTuneA2 =
    "E5 . . D5 E5 . A4 .   F5 . . E5 C5 . A4 .   D5 . G5 . F5 . D5 .   E5 . . . G#4 . B4 .";
constexpr const char* kTuneB1 =
    "A5 . . . G5 . F5 .    G5 . . . F5 . E5 D5   E5 . . . . . C5 .     A4 . . . C5 . E5 .";
constexpr const char* kTuneB2 =
    "A5 . . . G5 . F5 .    G5 . . . F5 . D5 .    E5 . . . . . D5 .     B4 . . . G#4 . - .";
constexpr const char* kTuneBridge =
    "F5 . . . . . . .      G5 . . . . . . .      A5 . . . . . C6 .     B5 . . . D6 . . .";
constexpr const char* kTuneSolo =
    "A5 E5 C5 E5 A5 B5 C6 B5   A5 F5 C5 F5 A5 C6 A5 F5   "
    "G5 E5 C5 E5 G5 C6 G5 E5   D5 G5 B5 D6 B5 G5 D5 B4";

constexpr Hit kHats[] = {{'H', kHat, 40}, {'h', kHat, 26}, {'o', kOpenHat, 34}};

void Drums(Composer& c, bool sixteenths, bool fillAtEnd) {
  c.Beat(kKickChannel, "k...k...k...k...", {{'k', kKick, 64}});
  c.Beat(kSnareChannel, "....s.......s...", {{'s', kSnare, 58}}, 0, fillAtEnd ? 48 : -1);
  if (fillAtEnd) {
    c.Beat(kSnareChannel, "s.s.s.s.sssSSSSS", {{'s', kSnare, 42}, {'S', kSnare, 58}}, 48, 16);
  }
  c.Beat(kHatChannel, sixteenths ? "hhHhhhHhhhHhhhHo" : "h.H.h.H.h.H.h.H.",
         {kHats[0], kHats[1], kHats[2]});
}

XmPattern Intro() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Am Am F G");
  c.Beat(kKickChannel, "k...k...k...k...", {{'k', kKick, 64}});
  c.Beat(kHatChannel, "h.H.h.H.h.H.h.H.", {kHats[0], kHats[1], kHats[2]}, 16);
  c.Beat(kSnareChannel, "s.s.s.s.sssSSSSS", {{'s', kSnare, 40}, {'S', kSnare, 56}}, 48, 16);
  c.Bass(kBassChannel, kBass, 52, chords, "R.r.R.r.R.r.8.r.", 33);
  c.Arpeggio(kArpChannel, kPluck, 36, chords, "0.1.2.1.0.1.2.1.", 57, 3);
  return p;
}

XmPattern Verse(const char* chordText, const char* tune) {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(chordText);
  Drums(c, false, false);
  c.Beat(kCrashChannel, "c", {{'c', kCrash, 44}}, 0, 1);
  c.Bass(kBassChannel, kBass, 52, chords, "R.r.R.r.R.r.8.r.", 33);
  c.Chords(kPadChannel, 3, kPad, 22, chords, "x...............", 55, true);
  c.Arpeggio(kArpChannel, kPluck, 28, chords, "0.1.2.1.0.1.2.1.", 57, 3);
  c.Line(kLeadChannel, kLead, 60, 2, tune);
  return p;
}

XmPattern Chorus(const char* chordText, const char* tune, bool fill) {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(chordText);
  Drums(c, true, fill);
  c.Beat(kCrashChannel, "c", {{'c', kCrash, 48}}, 0, 1);
  c.Bass(kBassChannel, kBass, 54, chords, "R.r.R.r.R.r.8.r.", 33);
  c.Chords(kPadChannel, 3, kPad, 24, chords, "x.......x.......", 55, true);
  c.Arpeggio(kArpChannel, kPluck, 30, chords, "0121012101210121", 57, 3);
  c.Line(kLeadChannel, kLead, 62, 2, tune);
  c.Echo(kLeadChannel, kEchoChannel, 3, 0.3);
  return p;
}

// Half the band drops out; the plucks carry the harmony over a steady kick.
XmPattern Breakdown() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Am Am F G");
  c.Beat(kKickChannel, "k.......k.......", {{'k', kKick, 58}});
  c.Beat(kHatChannel, "..H...H...H...H.", {kHats[0], kHats[1], kHats[2]});
  c.Bass(kBassChannel, kBass, 48, chords, "R.......R...5...", 33);
  c.Chords(kPadChannel, 3, kPad, 28, chords, "x...............", 55, true);
  c.Arpeggio(kArpChannel, kPluck, 42, chords, "0120312031203120", 57, 3);
  c.Arpeggio(kKeysChannel, kPluck, 28, chords, "3.......5.......", 57, 3);
  return p;
}

// Long lead notes over a rising snare: the climb into the solo.
XmPattern Bridge() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Dm Em F G");
  c.Beat(kKickChannel, "k...k...k...k...", {{'k', kKick, 62}});
  c.Beat(kSnareChannel, "....s.......s...", {{'s', kSnare, 52}}, 0, 32);
  c.Beat(kSnareChannel, "s.s.s.s.s.s.s.s.", {{'s', kSnare, 42}}, 32, 16);
  c.Beat(kSnareChannel, "ssssssssSSSSSSSS", {{'s', kSnare, 40}, {'S', kSnare, 58}}, 48, 16);
  c.Beat(kHatChannel, "h.H.h.H.h.H.h.H.", {kHats[0], kHats[1], kHats[2]});
  c.Bass(kBassChannel, kBass, 52, chords, "R.R.R.R.R.R.R.R.", 33);
  c.Chords(kPadChannel, 3, kPad, 28, chords, "x...............", 55, true);
  c.Line(kLeadChannel, kLead, 60, 2, kTuneBridge);
  c.Echo(kLeadChannel, kEchoChannel, 3, 0.35);
  return p;
}

XmPattern Solo() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Am F C G");
  Drums(c, true, false);
  c.Beat(kCrashChannel, "c", {{'c', kCrash, 48}}, 0, 1);
  c.Bass(kBassChannel, kBass, 54, chords, "R.r.R.r.R.r.8.r.", 33);
  c.Chords(kPadChannel, 3, kPad, 24, chords, "x.......x.......", 55, true);
  c.Line(kLeadChannel, kLead, 58, 2, kTuneSolo);
  return p;
}

}  // namespace

XmModule ComposeRaceSong() {
  const double tick = TickSeconds(kBpm);
  XmModule m;
  m.name = "Vornakel race";
  m.channels = kSongChannels;
  m.speed = 6;
  m.bpm = kBpm;
  m.instruments.push_back(MakeKick(0.45));
  m.instruments.push_back(MakeSnare(0.8, 0.2));
  m.instruments.push_back(MakeHat(false));
  m.instruments.push_back(MakeHat(true));
  m.instruments.push_back(MakeCrash());
  m.instruments.push_back(MakeBass(0.75, {0.0, 0.15, 36, 0.06}, tick));
  m.instruments.push_back(MakePad(0.6, {0.05, 0.4, 40, 0.3}, tick));
  m.instruments.push_back(MakeLead(0.8, 0.2, {0.01, 0.2, 50, 0.12}, tick));
  m.instruments.push_back(MakePluck(0.8));
  m.instruments[kHat - 1].sample.panning = 160;
  m.instruments[kOpenHat - 1].sample.panning = 160;
  m.instruments[kCrash - 1].sample.panning = 100;
  m.instruments[kPluck - 1].sample.panning = 96;

  m.patterns.push_back(Intro());                              // 0
  m.patterns.push_back(Verse("Am F G Em", kTuneA1));          // 1
  m.patterns.push_back(Verse("Am F G E", kTuneA2));           // 2
  m.patterns.push_back(Chorus("F G Am Am", kTuneB1, false));  // 3
  m.patterns.push_back(Chorus("F G E E", kTuneB2, true));     // 4
  m.patterns.push_back(Breakdown());                          // 5
  m.patterns.push_back(Bridge());                             // 6
  m.patterns.push_back(Solo());                               // 7
  m.orders = {0, 1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4};
  m.restart = 1;  // the drum intro plays once; the loop comes back to the first verse
  return m;
}

}  // namespace assetgen::audio
