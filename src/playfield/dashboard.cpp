// The dashboard's shared steps: the speed read-out and the run ending when the fuel is gone.
#include "playfield/gamescreen.h"
#include "runtime/numtext.h"

namespace sky {

std::string speedText(double speed) {
    return speed > 0 ? numText(speed) + "00" : numText(speed);
}

void GameScreen::fuelOut(bool noseDownOnGround) {
    bringDown(noseDownOnGround);
    endRun(Ending::Lost, Freeze::Yes, text(TextId::FuelOut), text(TextId::FuelOutTitle));
}

}  // namespace sky
