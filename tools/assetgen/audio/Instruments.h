// The module instruments the asset builder synthesises: drums, bass, pads, leads and keys.
#pragma once

#include "audio/XmWriter.h"

namespace assetgen::audio {

// Envelope times are in seconds; tickSeconds is the song's tick length (2.5 / BPM), which the
// module format counts envelope points in.
struct EnvelopeShape {
  double attack = 0.0;
  double decay = 0.0;
  int sustain = 64;  // 0..64
  double release = 0.1;
};
XmEnvelope MakeEnvelope(const EnvelopeShape& shape, double tickSeconds);

XmInstrument MakeKick(double weight);               // weight 0..1: longer, deeper body
XmInstrument MakeSnare(double body, double brush);  // brush 0..1: softer, wider noise
XmInstrument MakeHat(bool open);
XmInstrument MakeCrash();

// Looped tones. brightness 0..1 sets how many harmonics are strong; the attack of the bass and
// the lead starts brighter than its sustained loop, like a plucked or blown note.
XmInstrument MakeBass(double brightness, const EnvelopeShape& env, double tickSeconds);
XmInstrument MakePad(double brightness, const EnvelopeShape& env, double tickSeconds);
// hollow 0..1 moves from a saw towards a square (odd harmonics only).
XmInstrument MakeLead(double brightness, double hollow, const EnvelopeShape& env,
                      double tickSeconds);

// Struck tones that fade by themselves: an electric piano (bell 0..1: tine loudness) and a
// short bright pluck for chord stabs.
XmInstrument MakeKeys(double bell, double sustainSeconds);
XmInstrument MakePluck(double brightness);

}  // namespace assetgen::audio
