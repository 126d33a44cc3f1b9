// The menu theme: a relaxed tune in F major over soft keys, a warm pad and a half-time beat.
#include "audio/Composer.h"
#include "audio/Instruments.h"
#include "audio/Songs.h"

namespace assetgen::audio {

namespace {

enum Instrument : int { kKick = 1, kSnare, kHat, kOpenHat, kBass, kPad, kLead, kKeys };

constexpr int kBpm = 92;
constexpr double kMix = 1.0;

constexpr const char* kVerseChords = "Fmaj7 Am7 Bbmaj7 C";

// The melodies, eighth notes (two rows a token), one bar a group.
constexpr const char* kTuneA1 =
    "A4 . . G4 A4 . C5 .   E5 . . . D5 . C5 .   D5 . . C5 A4 . . .   G4 . . . . . - .";
constexpr const char* kTuneA2 =
    "A4 . . G4 A4 . C5 .   E5 . . . G5 . E5 .   F5 . . E5 D5 . C5 .   D5 . . . C5 . - .";
constexpr const char* kTuneB1 =
    "F5 . E5 . D5 . A4 .   D5 . . C5 D5 . F5 .   G5 . . F5 D5 . Bb4 .  C5 . . . . . - .";
constexpr const char* kTuneB2 =
    "F5 . E5 . D5 . A4 .   D5 . . C5 D5 . F5 .   A5 . . G5 F5 . D5 .   E5 . . . G5 . - .";
constexpr const char* kTuneBridge =
    "D5 . . . . . . .      E5 . . . . . . .      F5 . . . . . A5 .     G5 . . . . . - .";
constexpr const char* kTuneA3 =
    "C5 . A4 C5 F5 . E5 .  E5 . . D5 C5 . A4 .   Bb4 . D5 . F5 . E5 D5 C5 . . . - . . .";
// While the lead rests the keys answer with a slow line of their own.
constexpr const char* kKeysCounter =
    "D5 . . . F5 . . .     E5 . . . G5 . . .     C5 . . . E5 . . .     F5 . . . A5 . - .";

// The rhythm section every full section shares.
void Groove(Composer& c, const std::vector<Chord>& chords, bool fullDrums) {
  c.Chords(kPadChannel, 3, kPad, 26, chords, "x...............", 53, true);
  c.Bass(kBassChannel, kBass, 44, chords, "R.....R...5...r.", 41);
  c.Beat(kHatChannel, "H.h.H.h.H.h.H.o.", {{'H', kHat, 38}, {'h', kHat, 24}, {'o', kOpenHat, 28}});
  c.Beat(kKickChannel, "k.....k...k.....", {{'k', kKick, 60}});
  if (fullDrums) c.Beat(kSnareChannel, "........s.......", {{'s', kSnare, 46}});
}

XmPattern Intro() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(kVerseChords);
  c.Chords(kPadChannel, 3, kPad, 28, chords, "x...............", 53, true);
  c.Arpeggio(kKeysChannel, kKeys, 34, chords, "0.2.1.3.2.4.3.1.", 60, 4);
  c.Bass(kBassChannel, kBass, 36, chords, "R...............", 41);
  c.Beat(kHatChannel, "H.h.H.h.H.h.H.o.", {{'H', kHat, 30}, {'h', kHat, 20}, {'o', kOpenHat, 24}},
         48, 16);
  return p;
}

XmPattern Verse(const char* tune, bool withArp) {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(kVerseChords);
  Groove(c, chords, true);
  if (withArp) c.Arpeggio(kKeysChannel, kKeys, 28, chords, "0.2.1.3.2.4.3.1.", 60, 4);
  c.Line(kLeadChannel, kLead, 60, 2, tune);
  c.Echo(kLeadChannel, kEchoChannel, 3, 0.4);
  return p;
}

XmPattern Chorus(const char* chordText, const char* tune) {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(chordText);
  Groove(c, chords, true);
  c.Arpeggio(kKeysChannel, kKeys, 28, chords, "0.1.2.3.4.3.2.1.", 60, 4);
  c.Line(kLeadChannel, kLead, 62, 2, tune);
  c.Echo(kLeadChannel, kEchoChannel, 3, 0.4);
  return p;
}

// The breakdown: no snare and no lead; the keys sing and a second keys part ripples underneath.
XmPattern Breakdown() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Bbmaj7 C Am7 Dm7");
  c.Chords(kPadChannel, 3, kPad, 28, chords, "x...............", 53, true);
  c.Bass(kBassChannel, kBass, 40, chords, "R.......5.......", 41);
  c.Beat(kHatChannel, "h.h.H.h.", {{'H', kHat, 30}, {'h', kHat, 20}});
  c.Beat(kKickChannel, "k...............", {{'k', kKick, 50}});
  c.Line(kKeysChannel, kKeys, 50, 2, kKeysCounter);
  c.Arpeggio(kArpChannel, kKeys, 24, chords, "0..1..2..1..0...", 60, 3);
  return p;
}

// The lead comes back with long notes while the drums build towards the last verse.
XmPattern Build() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Gm7 Am7 Bbmaj7 C");
  Groove(c, chords, true);
  c.Arpeggio(kKeysChannel, kKeys, 28, chords, "0.1.2.3.4.3.2.1.", 60, 4);
  c.Line(kLeadChannel, kLead, 58, 2, kTuneBridge);
  c.Echo(kLeadChannel, kEchoChannel, 3, 0.4);
  c.Beat(kSnareChannel, "..s...s.s.s.ssss", {{'s', kSnare, 40}}, 48, 16);
  return p;
}

}  // namespace

XmModule ComposeMenuSong() {
  const double tick = TickSeconds(kBpm);
  XmModule m;
  m.name = "Vornakel menu";
  m.channels = kSongChannels;
  m.speed = 6;
  m.bpm = kBpm;
  m.instruments.push_back(MakeKick(0.6));
  m.instruments.push_back(MakeSnare(0.5, 0.8));
  m.instruments.push_back(MakeHat(false));
  m.instruments.push_back(MakeHat(true));
  m.instruments.push_back(MakeBass(0.3, {0.0, 0.4, 40, 0.15}, tick));
  m.instruments.push_back(MakePad(0.35, {0.25, 0.5, 50, 1.2}, tick));
  m.instruments.push_back(MakeLead(0.3, 0.7, {0.04, 0.3, 48, 0.3}, tick));
  m.instruments.push_back(MakeKeys(0.6, 1.2));
  m.instruments[kHat - 1].sample.panning = 150;
  m.instruments[kOpenHat - 1].sample.panning = 150;
  m.instruments[kKeys - 1].sample.panning = 100;

  m.patterns.push_back(Intro());                               // 0
  m.patterns.push_back(Verse(kTuneA1, false));                 // 1
  m.patterns.push_back(Verse(kTuneA2, true));                  // 2
  m.patterns.push_back(Chorus("Dm7 Bbmaj7 Gm7 C", kTuneB1));   // 3
  m.patterns.push_back(Chorus("Dm7 Bbmaj7 Gm7 C7", kTuneB2));  // 4
  m.patterns.push_back(Breakdown());                           // 5
  m.patterns.push_back(Build());                               // 6
  m.patterns.push_back(Verse(kTuneA3, true));                  // 7
  m.orders = {0, 1, 2, 3, 4, 5, 6, 7};
  m.restart = 1;  // the intro plays once; the loop returns to the first verse
  return m;
}

}  // namespace assetgen::audio
