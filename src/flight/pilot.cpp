// Pilot input: the six keys of both episodes.
#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

void GameScreen::Form_KeyDown(int) {}  // TODO(flight)
void GameScreen::attitudeRefresh() {}  // TODO(flight)
bool Form1::upAllowed() const {
    return onAirport == 0;
}
double Form1::speedFloor() const {
    return 7;
}
bool Form1::Space_KeyDown() {
    return false;
}  // TODO(flight)
bool Form2::upAllowed() const {
    return true;
}
double Form2::speedFloor() const {
    return 0;
}
bool Form2::Space_KeyDown() {
    return false;
}  // TODO(flight)

}  // namespace sky
