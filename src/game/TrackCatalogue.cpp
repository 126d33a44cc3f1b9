// Builds the track catalogue from its table.
#include "game/TrackCatalogue.h"

namespace game {

void BuildTrackCatalogue(RaceState& race) {
  int32_t index = 0;
  for (const TrackCatalogueEntry& entry : kTrackCatalogue) {
    TrackInfo& track = race.Tracks[static_cast<size_t>(index)];
    track.Name = entry.Name;
    track.Picture = entry.Picture;
    track.DataFile = entry.DataFile;
    track.LengthText = entry.LengthText;
    track.Laps = entry.Laps;
    track.RivalCount = entry.RivalCount;
    track.Unlocked = false;
    track.BestHund = 0;
    track.BestSec = 0;
    track.BestMin = 1000;
    ++index;
  }
  race.LastTrackIndex = 11;
  race.SelectedTrack = 0;
}

}  // namespace game
