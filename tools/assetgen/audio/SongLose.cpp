// The game-over lament: slow D minor, sighing piano phrases over a dark pad and brushed drums.
#include "audio/Composer.h"
#include "audio/Instruments.h"
#include "audio/Songs.h"

namespace assetgen::audio {

namespace {

enum Instrument : int { kKick = 1, kSnare, kHat, kBass, kPad, kLead, kPiano };

constexpr int kBpm = 70;
constexpr double kMix = 1.0;

constexpr const char* kHome = "Dm Bb Gm A";

constexpr const char* kPhrase1 =
    "A4 . . . . . G4 F4    F4 . . . D4 . . .     G4 . . . Bb4 . A4 G4  E4 . . . . . - .";
constexpr const char* kPhrase2 =
    "D5 . . . . . C5 A4    Bb4 . . . F4 . . .    G4 . Bb4 . D5 . C5 Bb4  A4 . . . C#5 . E5 .";
constexpr const char* kPhrase3 =
    "D5 . . . . . Bb4 .    A4 . . . F4 . . .     F4 . G4 . A4 . Bb4 .  A4 . . . . . - .";
constexpr const char* kLament =
    "G4 . . . F4 . D4 .    F4 . . . E4 . D4 .    Eb4 . . . D4 . Bb3 .  C#4 . . . . . - .";
constexpr const char* kFarewell =
    "A4 . . . . . . .      F4 . . . D4 . . .     G4 . . . Bb4 . . .    A4 . . . - . . .";

void Pad(Composer& c, const std::vector<Chord>& chords, int volume) {
  c.Chords(kPadChannel, 3, kPad, volume, chords, "x...............", 53, true);
}

XmPattern Opening() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(kHome);
  Pad(c, chords, 30);
  c.Line(kKeysChannel, kPiano, 60, 2, kPhrase1);
  c.Echo(kKeysChannel, kEchoChannel, 3, 0.35);
  return p;
}

XmPattern Answer() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(kHome);
  Pad(c, chords, 28);
  c.Bass(kBassChannel, kBass, 44, chords, "R.......5.......", 38);
  c.Line(kKeysChannel, kPiano, 60, 2, kPhrase2);
  c.Echo(kKeysChannel, kEchoChannel, 3, 0.35);
  c.Arpeggio(kArpChannel, kPiano, 26, chords, "0...1...2...1...", 50, 3);
  return p;
}

// The drums enter with brushes, very quietly.
XmPattern Turn() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Gm Dm Bb A");
  Pad(c, chords, 28);
  c.Bass(kBassChannel, kBass, 46, chords, "R.......5...R...", 38);
  c.Beat(kKickChannel, "k.........k.....", {{'k', kKick, 48}});
  c.Beat(kSnareChannel, "........s.......", {{'s', kSnare, 36}});
  c.Beat(kHatChannel, "h...h...h...h.h.", {{'h', kHat, 24}});
  c.Line(kKeysChannel, kPiano, 60, 2, kPhrase3);
  c.Echo(kKeysChannel, kEchoChannel, 3, 0.35);
  c.Arpeggio(kArpChannel, kPiano, 26, chords, "0...1...2...1...", 50, 3);
  return p;
}

// A low singing lead takes the tune through the darkest chord, E flat, before the turn home.
XmPattern Lament() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords("Gm Dm Eb A");
  Pad(c, chords, 26);
  c.Bass(kBassChannel, kBass, 46, chords, "R.......5...R...", 38);
  c.Beat(kKickChannel, "k.........k.....", {{'k', kKick, 48}});
  c.Beat(kSnareChannel, "........s.......", {{'s', kSnare, 36}});
  c.Beat(kHatChannel, "h...h...h...h.h.", {{'h', kHat, 24}});
  c.Line(kLeadChannel, kLead, 60, 2, kLament);
  c.Echo(kLeadChannel, kEchoChannel, 3, 0.3);
  c.Arpeggio(kArpChannel, kPiano, 30, chords, "0.1.2.1.0.1.2.1.", 50, 3);
  return p;
}

XmPattern Farewell() {
  XmPattern p(kPatternRows, kSongChannels);
  Composer c(p, kMix);
  const auto chords = ParseChords(kHome);
  Pad(c, chords, 28);
  c.Bass(kBassChannel, kBass, 40, chords, "R...............", 38);
  c.Line(kKeysChannel, kPiano, 54, 2, kFarewell);
  c.Echo(kKeysChannel, kEchoChannel, 3, 0.35);
  return p;
}

}  // namespace

XmModule ComposeLoseSong() {
  const double tick = TickSeconds(kBpm);
  XmModule m;
  m.name = "Vornakel game over";
  m.channels = kSongChannels;
  m.speed = 6;
  m.bpm = kBpm;
  m.instruments.push_back(MakeKick(0.9));
  m.instruments.push_back(MakeSnare(0.3, 1.0));
  m.instruments.push_back(MakeHat(false));
  m.instruments.push_back(MakeBass(0.15, {0.02, 0.8, 40, 0.4}, tick));
  m.instruments.push_back(MakePad(0.2, {0.6, 1.0, 48, 1.5}, tick));
  m.instruments.push_back(MakeLead(0.2, 0.5, {0.08, 0.5, 44, 0.5}, tick));
  m.instruments.push_back(MakeKeys(0.25, 2.0));
  m.instruments[kHat - 1].sample.panning = 150;
  m.instruments[kPiano - 1].sample.panning = 112;

  m.patterns.push_back(Opening());   // 0
  m.patterns.push_back(Answer());    // 1
  m.patterns.push_back(Turn());      // 2
  m.patterns.push_back(Lament());    // 3
  m.patterns.push_back(Farewell());  // 4
  m.orders = {0, 1, 2, 3, 4};
  m.restart = 0;  // the last phrase ends on A, which leads straight back to the opening D minor
  return m;
}

}  // namespace assetgen::audio
