// Random keys, clicks and closes against the game, started again each time it ends, for as long
// as STARVEIL_RANDOM_INPUT_SECONDS says (60 unless told); STARVEIL_RANDOM_INPUT_SEED replays a run.
#pragma once

#include <QProcessEnvironment>

namespace starveil::display {

// The session's environment as the game is started in it: Qt picks the platform itself.
QProcessEnvironment GameEnvironment();

// Every game must end with status 0, or by the SIGTERM sent it, and print nothing on its standard
// error; each that does not fails the test, naming the seed.
void PlayedWithRandomInput();

}  // namespace starveil::display
