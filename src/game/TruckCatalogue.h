// The truck catalogue: five models with their driving values and race pictures.
#pragma once

#include "game/RaceState.h"

namespace game {

struct TruckCatalogueEntry {
  const char* Name;
  const char* Picture;      // selection picture
  const char* RacePicture;  // not in index order
  const char* ShadowPicture;
  double MaxSpeed;
  double AccelRate;
  double SteerRate;
  double Grip;
};

inline constexpr TruckCatalogueEntry kTruckCatalogue[kTruckModelCount] = {
    {"Speeder", "c_car1", "car1", "carten1", 9.0, 0.05, 0.5, 0.85},
    {"Turbo", "c_car2", "car4", "carten2", 8.5, 0.07, 0.38, 0.9},
    {"Volcano", "c_car3", "car5", "carten3", 9.5, 0.045, 0.42, 0.82},
    {"Viper", "c_car4", "car2", "carten4", 9.3, 0.04, 0.65, 0.8},
    {"Beast", "c_car5", "car3", "carten5", 10.0, 0.06, 0.45, 0.84},
};

// Fills the five models (all locked), SelectedTruck 0 and LastTruckIndex 4.
void BuildTruckCatalogue(RaceState& race);

// Catalogue row of a model index; an index outside the catalogue falls back to model 0.
const TruckCatalogueEntry& TruckEntry(int32_t truckIndex);

}  // namespace game
