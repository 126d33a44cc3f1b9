// The front end's entry point.
#include "frontend/Frontend.h"

namespace frontend {

void RegisterFrontend(game::TForm1&) {}

}  // namespace frontend
