// The finish line: scrolls with the world, records opponents in the order they touch it and ends
// the player's race with the clock and place of that moment.
#include "game/FinishLine.h"

#include <algorithm>

#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/SpriteSetup.h"

namespace game {

TFLineImage::TFLineImage(TForm1& form, float x, float y) : TSprite(&form.OmegaSprite1) {
  SetPicture(*this, GameImage(form, "startline"));
  SetName("inplace");
  SetPatternIndex(0);
  CentreOn(*this, x, y);
  CenterX = 0.5f;
  CenterY = 0.5f;
  SetZ(29);
}

TFinishLine::TFinishLine(TForm1& form, double x, double y, double angle)
    : TSprite(&form.OmegaSprite1), Form(form) {
  SetPicture(*this, GameImage(form, "fline"));
  SetName("fline");
  Angle = angle;
  SetPatternIndex(0);
  CenterX = 0.5f;
  CenterY = 0.5f;
  CentreOn(*this, x, y);
  SetZ(60);
  Rotation = static_cast<float>(angle);
  Visible = false;
  Corners = RectangleCorners(*this);
  CornerAngles = CornerAnglesOf(*this);
  LineImage = new TFLineImage(form, static_cast<float>(x), static_cast<float>(y));
  form.Race.FinishLine = this;
}

TFinishLine::~TFinishLine() {
  if (Form.Race.FinishLine == this) Form.Race.FinishLine = nullptr;
}

void TFinishLine::Move(float /*moveCount*/) {
  RaceState& race = Form.Race;
  TPlayer* player = race.Player;
  if (player != nullptr) {
    const float scrolledX = static_cast<float>(X + player->ScrollX);
    const float scrolledY = static_cast<float>(Y + player->ScrollY);
    SetX(static_cast<float>(scrolledX + player->PushX));
    SetY(static_cast<float>(scrolledY + player->PushY));
  }
  if (LineImage != nullptr) {
    LineImage->SetX(static_cast<float>(X + static_cast<double>(Width) / 2 -
                                       static_cast<double>(LineImage->Width) / 2));
    LineImage->SetY(static_cast<float>(Y + static_cast<double>(Height) / 2 -
                                       static_cast<double>(LineImage->Height) / 2));
  }
  cornerCache_.Update(*this, CornerAngles, Corners);
  const Box bounds = BoundsOf(Corners);

  // Opponents in slot order, each recorded once, with the race clock of this moment.
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)];
    if (opponent == nullptr || !opponent->CanFinish) continue;
    if (!QuadsOverlap(opponent->CornerQuad(), opponent->CornerBounds, Corners, bounds)) continue;
    if (race.NextFinishPlace >= 1 && race.NextFinishPlace < kFinishRecordSize) {
      FinishRecord& record = race.FinishRecords[static_cast<size_t>(race.NextFinishPlace)];
      record.Truck = opponent->OpponentSlot;
      record.Hund = race.TimeLeftHund;
      record.Sec = race.TimeLeftSec;
      record.Min = race.TimeLeftMin;
    }
    ++opponent->LapCount;
    ++race.NextFinishPlace;
    opponent->Released = false;
    opponent->CanFinish = false;
  }

  if (player != nullptr && player->CanFinish &&
      QuadsOverlap(player->CornerQuad(), player->CornerBounds, Corners, bounds)) {
    player->CanFinish = false;
    race.FinishHund = race.TimeLeftHund;
    race.FinishSec = race.TimeLeftSec;
    race.FinishMin = race.TimeLeftMin;
    race.FinishPlace = player->RacePosition;
    player->ControlsOn = false;
    race.Paused = true;
    player->RankingOn = false;
    Form.RaceTimer.Enabled = false;
    race.DelayCounter = 0;
  }
}

}  // namespace game
