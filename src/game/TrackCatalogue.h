// The track catalogue: the twelve tracks the selection screen offers, with their display values.
#pragma once

#include "game/RaceState.h"

namespace game {

struct TrackCatalogueEntry {
  const char* Name;
  const char* Picture;
  const char* DataFile;
  const char* LengthText;
  int32_t Laps;
  int32_t RivalCount;
};

// Entries 0..11 in index order; picture and file numbers do not follow the index.
inline constexpr TrackCatalogueEntry kTrackCatalogue[12] = {
    {"Track 1", "tr_track3", "Data\\data4.prd", "540.4", 5, 4},
    {"Track 2", "tr_track12", "Data\\data13.prd", "662.7", 6, 4},
    {"Track 3", "tr_track4", "Data\\data5.prd", "470.3", 5, 5},
    {"Track 4", "tr_track1", "Data\\data3.prd", "710.4", 5, 5},
    {"Track 5", "tr_track11", "Data\\data12.prd", "785.1", 6, 6},
    {"Track 6", "tr_track7", "Data\\data8.prd", "992.4", 5, 6},
    {"Track 7", "tr_track6", "Data\\data7.prd", "692.4", 6, 7},
    {"Track 8", "tr_track5", "Data\\data6.prd", "643.2", 5, 7},
    {"Track 9", "tr_track8", "Data\\data9.prd", "812.8", 6, 7},
    {"Track 10", "tr_track2", "Data\\data2.prd", "910.4", 7, 7},
    {"Track 11", "tr_track10", "Data\\data11.prd", "952.7", 8, 7},
    {"Track 12", "tr_track9", "Data\\data10.prd", "856.2", 8, 7},
};

// Fills entries 0..11 (all locked, no best time), LastTrackIndex 11 and SelectedTrack 0.
void BuildTrackCatalogue(RaceState& race);

}  // namespace game
