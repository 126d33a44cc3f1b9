// Builds the truck catalogue from its table.
#include "game/TruckCatalogue.h"

namespace game {

void BuildTruckCatalogue(RaceState& race) {
  for (size_t i = 0; i < race.TruckModels.size(); ++i) {
    const TruckCatalogueEntry& entry = kTruckCatalogue[i];
    TruckModel& model = race.TruckModels[i];
    model.Name = entry.Name;
    model.Picture = entry.Picture;
    model.Unlocked = false;
    model.MaxSpeed = entry.MaxSpeed;
    model.AccelRate = entry.AccelRate;
    model.SteerRate = entry.SteerRate;
    model.Grip = entry.Grip;
  }
  race.SelectedTruck = 0;
  race.LastTruckIndex = 4;
}

const TruckCatalogueEntry& TruckEntry(int32_t truckIndex) {
  if (truckIndex < 0 || truckIndex >= kTruckModelCount) return kTruckCatalogue[0];
  return kTruckCatalogue[truckIndex];
}

}  // namespace game
