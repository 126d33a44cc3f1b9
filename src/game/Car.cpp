// The shared truck: creation from the catalogue, the driving primitives both the player and the
// pilot use, corners and probes, and the wall contact response.
#include "game/Car.h"

#include <algorithm>
#include <cmath>

#include "game/CarShadow.h"
#include "game/EasyRules.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/RoadPieces.h"
#include "game/SpriteSetup.h"
#include "game/TruckCatalogue.h"

namespace game {

TCar::TCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
           const std::string& name, double heading, int32_t patternIndex)
    : TSprite(&form.OmegaSprite1), Form(form) {
  const TruckCatalogueEntry& model = TruckEntry(truckIndex);
  TruckIndex = truckIndex;
  Health = 100;
  SetPicture(*this, GameImage(form, model.RacePicture));
  const double w = Width;
  const double h = Height;

  SkidRadius = 2.0 / 3.0 * std::sqrt((0.3 * h) * (0.3 * h) + (0.5 * w) * (0.5 * w)) - 5;
  const double skidAngle = std::atan(0.185 * h / w) / kDegToRad;
  SkidAngleLeft = 360 - skidAngle;
  SkidAngleRight = 180 + skidAngle;

  SetName(name);
  SetPatternIndex(patternIndex);
  SkidMarkCounter = 0;
  SetX(static_cast<float>(centreX - w / 2));
  SetY(static_cast<float>(centreY - h / 2));
  SpinRate = 0;
  SpinDecay = 1.0;
  CenterX = 0.5f;
  CenterY = 0.3f;

  // Corners inset 3 pixels from the picture edges, measured from the rear pivot.
  const double rearRadius =
      std::sqrt((0.5 * w - 3) * (0.5 * w - 3) + (0.3 * h - 3) * (0.3 * h - 3));
  const double frontRadius =
      std::sqrt((0.5 * w - 3) * (0.5 * w - 3) + (0.7 * h - 3) * (0.7 * h - 3));
  const double p = std::atan(0.5 * w / (0.3 * h)) / kDegToRad;
  const double q = std::atan(0.5 * w / (0.7 * h)) / kDegToRad;
  CornerOffsets = {270 - p, 90 + q, 90 - q, 270 + p};
  const std::array<double, 4> radii = {rearRadius, frontRadius, frontRadius, rearRadius};
  for (size_t k = 0; k < 4; ++k) {
    Corners[k].index = static_cast<int32_t>(k);
    Corners[k].radius = radii[k];
  }

  WorldX = centreX - form.Race.WorldOriginX;
  WorldY = centreY - form.Race.WorldOriginY;
  SetZ(50);

  Speed = 0;
  MaxSpeed = model.MaxSpeed;
  AccelRate = model.AccelRate;
  SteerRate = model.SteerRate;
  Grip = model.Grip;
  SkidFollow = 0.5;
  CoastDecel = 0.011;
  ReverseLimit = -2.0;
  BrakeRate = 0.03;
  Accel = 0;
  RollFriction = 0.003;
  SkidFriction = 0.008;
  Skidding = false;
  Colliding.fill(false);
  WasColliding.fill(false);

  Heading = heading;
  MoveDir = heading;
  Rotation = static_cast<float>(heading - 90);

  FrontPoint = new TGroundPoint(form, centreX, centreY - 10, 90, false);
  CentrePoint = new TGroundPoint(form, centreX, centreY + 10, -90, false);
  CanFinish = true;
  Shadow = new TCarTen(form, truckIndex + 1, centreX, centreY);

  HeadingArrow = MakeMarker(form, "arrows", "arrow", 510, 0, 0.0f, 0.5f);
  DirArrow = MakeMarker(form, "arrows", "arrow", 510, 1, 0.0f, 0.5f);
  HeadingArrow->Visible = false;
  DirArrow->Visible = false;
  UpdateArrows();
}

TCar::~TCar() = default;

void TCar::Accelerate() {
  if (Speed < MaxSpeed) Accel = AccelRate;
  if (Speed > MaxSpeed) Speed = MaxSpeed;
}

void TCar::Brake() {
  if (Speed > ReverseLimit) Accel = -BrakeRate;
  if (Speed < ReverseLimit) Speed = ReverseLimit;
}

void TCar::TurnRight() {
  if (Speed > 0) {
    Heading += SteerRate;
    const double d = Heading - MoveDir;
    if (d > 70) {
      MoveDir += SteerRate;
    } else if (d > 25) {
      MoveDir += SteerRate * SkidFollow;
      Skidding = true;
    }
  } else {
    Heading -= SteerRate;
    const double d = Heading - MoveDir;
    if (d > 70) {
      MoveDir -= SteerRate;
    } else if (d > 25) {
      MoveDir -= SteerRate * SkidFollow;
      Skidding = true;
    }
  }
}

void TCar::TurnLeft() {
  if (Speed > 0.2) {
    Heading -= SteerRate;
    const double d = MoveDir - Heading;
    if (d > 70) {
      MoveDir -= SteerRate;
    } else if (d > 25) {
      MoveDir -= SteerRate * SkidFollow;
      Skidding = true;
    }
  } else if (Speed < 0) {
    Heading += SteerRate;
    const double d = MoveDir - Heading;
    if (d > 70) {
      MoveDir += SteerRate;
    } else if (d > 25) {
      MoveDir += SteerRate * SkidFollow;
      Skidding = true;
    }
  }
}

void TCar::ApplyFriction() {
  if (Speed == 0) return;
  Speed -= Speed * RollFriction;
  if (Skidding) {
    // A skidding truck that is reversing stops at once.
    const double s = Speed - Speed * SkidFriction;
    Speed = s > 0 ? s : 0;
  }
}

void TCar::DecaySpin() {
  if (SpinRate > 0) {
    SpinRate -= SpinDecay;
  } else {
    SpinRate += SpinDecay;
  }
}

void TCar::FollowNose(double step) {
  if (Spinning) return;
  if (!Skidding) {
    if (MoveDir < Heading) {
      MoveDir += step;
    } else if (MoveDir > Heading) {
      MoveDir -= step;
    }
  }
  if (!(Speed == 0.1 && std::fabs(Heading - MoveDir) >= 0.1)) Skidding = false;
}

void TCar::SlowStep(double gripBack) {
  if (!SlowActive) return;
  if (SlowTimer > 1) {
    --SlowTimer;
    return;
  }
  MaxSpeed *= 2;
  AccelRate *= 2;
  Grip *= gripBack;
  SlowActive = false;
  SlowTimer = 0;
}

void TCar::BoostStep() {
  if (BoostActive) {
    if (BoostTimer > 1) {
      --BoostTimer;
    } else {
      MaxSpeed /= 2;
      AccelRate /= 2;
      SteerRate -= 0.1;
      GroundFactor -= 0.1;
      Speed /= 2;
      BoostActive = false;
      BoostTimer = 0;
    }
  }
}

void TCar::SpinStep() {
  if (!Spinning) return;
  Heading += SpinRate;
  Speed *= 0.9;
  DecaySpin();
  if (std::fabs(SpinRate) < 1) {
    Spinning = false;
    CenterX = 0.5f;
    CenterY = 0.3f;
    if (Shadow != nullptr) {
      Shadow->CenterX = 0.5f;
      Shadow->CenterY = 0.3f;
    }
    MoveDir = Heading;
  }
}

void TCar::UpdateCornersAndProbes() {
  const double pivotX = X + static_cast<double>(Width) / 2;
  const double pivotY = Y + static_cast<double>(CenterY) * Height;
  const double rotation = Rotation;
  for (size_t k = 0; k < 4; ++k) {
    Corners[k].x = pivotX + Corners[k].radius * CosDeg(rotation + CornerOffsets[k]);
    Corners[k].y = pivotY + Corners[k].radius * SinDeg(rotation + CornerOffsets[k]);
  }
  CornerBounds = BoundsOf(CornerQuad());
  if (FrontPoint != nullptr) {
    FrontPoint->SetX(static_cast<float>(pivotX + 40 * CosDeg(rotation + 90)));
    FrontPoint->SetY(static_cast<float>(pivotY + 40 * SinDeg(rotation + 90)));
  }
  if (CentrePoint != nullptr) {
    CentrePoint->SetX(static_cast<float>(pivotX));
    CentrePoint->SetY(static_cast<float>(pivotY));
  }
}

void TCar::UpdateArrows() {
  const float ax = static_cast<float>(X + static_cast<double>(Width) / 2);
  const float ay = static_cast<float>(Y + static_cast<double>(Height) / 2 - 5);
  for (engine::TSprite* arrow : {HeadingArrow, DirArrow}) {
    if (arrow == nullptr) continue;
    arrow->SetX(ax);
    arrow->SetY(ay);
  }
  if (HeadingArrow != nullptr) HeadingArrow->Rotation = static_cast<float>(Heading);
  if (DirArrow != nullptr) DirArrow->Rotation = static_cast<float>(MoveDir);
}

void TCar::LeaveSkidMarks() {
  if (SkidMarkCounter % 5 == 0) {
    if (Form.Race.MakeSkidMark != nullptr) {
      const double cx = X + static_cast<double>(Width) / 2;
      const double cy = Y + static_cast<double>(Height) / 2;
      const double rotation = Rotation;
      Form.Race.MakeSkidMark(Form, cx + CosDeg(SkidAngleLeft + rotation) * SkidRadius,
                             cy + SinDeg(SkidAngleLeft + rotation) * SkidRadius);
      Form.Race.MakeSkidMark(Form, cx + CosDeg(SkidAngleRight + rotation) * SkidRadius,
                             cy + SinDeg(SkidAngleRight + rotation) * SkidRadius);
    }
    SkidMarkCounter = 0;
  }
  ++SkidMarkCounter;
}

Point2 TCar::Centre() const {
  return {X + static_cast<double>(Width) / 2, Y + static_cast<double>(Height) / 2};
}

Quad TCar::CornerQuad() const {
  Quad quad;
  for (size_t k = 0; k < 4; ++k) quad[k] = {Corners[k].x, Corners[k].y};
  return quad;
}

void ApplyWallContact(TForm1& form, TCar& truck, const engine::TSprite& wall) {
  const double s0 = truck.Speed;
  const double dirX = CosDeg(truck.MoveDir);
  const double dirY = SinDeg(truck.MoveDir);
  const double vx = s0 * dirX;
  const double vy = s0 * dirY;
  const Point2 c = truck.Centre();
  const double dx = wall.X + static_cast<double>(wall.Width) / 2 - c.x;
  const double dy = wall.Y + static_cast<double>(wall.Height) / 2 - c.y;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const double nx = distance > 0 ? dx / distance : 1;
  const double ny = distance > 0 ? dy / distance : 1;
  const double ux = s0 != 0 ? dirX : 1;
  const double uy = s0 != 0 ? dirY : 1;

  const double pushX = (std::fabs(ux) / 2 + 0.5) * 2 * nx;
  const double pushY = (std::fabs(uy) / 2 + 0.5) * 2 * ny;
  TPlayer* player = dynamic_cast<TPlayer*>(&truck);
  if (player != nullptr) {
    ShiftWorld(form, pushX, pushY);
  } else {
    truck.SetX(static_cast<float>(truck.X - pushX));
    truck.SetY(static_cast<float>(truck.Y - pushY));
  }

  const double rho = wall.Rotation;
  const double side = vx * SinDeg(rho) + vy * CosDeg(rho);
  const double turn = 4 - 4 * (nx * uy - ny * ux);
  if (side >= 0) {
    truck.MoveDir += turn;
    truck.Heading += turn;
  } else {
    truck.MoveDir -= turn;
    truck.Heading -= turn;
  }

  truck.Speed *= (0.5 - (nx * ux + ny * uy)) / 2 + 0.7;
  if (truck.Speed > s0) truck.Speed = s0;
  if (s0 < 0 && truck.Speed < s0) truck.Speed = s0;

  form.TruckAudio.WallKnock(form, truck, s0, nx * ux + ny * uy);
  if (player == nullptr) return;
  if (form.GameDifficulty == Difficulty::Easy) {
    // Easy: the speed across the wall, charged once per hit.
    const double across = std::max(s0, 0.0) * std::fabs(dirX * CosDeg(rho) + dirY * SinDeg(rho));
    player->ApplyDamage(EasyWallDamage(*player, across));
  } else {
    player->ApplyDamage(NearestInt(3 * s0));
  }
}

engine::TSprite* MakeMarker(TForm1& form, const std::string& picture, const std::string& name,
                            int32_t z, int32_t pattern, float centerX, float centerY) {
  auto* marker = new engine::TSprite(&form.OmegaSprite1);
  SetPicture(*marker, GameImage(form, picture));
  marker->SetName(name);
  marker->SetPatternIndex(pattern);
  marker->CenterX = centerX;
  marker->CenterY = centerY;
  marker->SetZ(z);
  return marker;
}

}  // namespace game
