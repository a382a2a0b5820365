// Episode 2, rescue and dogfight: the Form2 screen, its state and its handlers.
#pragma once

#include <cstdint>

#include "playfield/gamescreen.h"

namespace sky {

class Form2 : public GameScreen {
public:
    explicit Form2(Program& p);  // loads the screen: the set-up runs

    // The F16's box, its picture's size.
    static constexpr double kF16W = 78, kF16H = 27;
    // The lighthouse is taken this wide where the aircraft and the houses meet it.
    static constexpr double kLighthouseW = 9;
    // Rescues that win the episode; the dashboard counts up to it.
    static constexpr int kRescuesToWin = 10;

    // The rules' numbers (the help page shows them too).
    static constexpr double kRescueScore = 2;  // a rescue: points and missiles
    static constexpr double kRescueMissiles = 6;
    static constexpr int kLighthouseSpacing = 500;  // each lighthouse stands this much further than the last
    static constexpr double kLighthouseTop = 374;
    static constexpr double kDistanceFrom = 64;     // the distance read-out counts from the aircraft's Left
    static constexpr double kNearLighthouse = 600;  // closer than this the read-out turns red
    static constexpr double kF16Score = 3;          // the F16 shot down: points and fuel
    static constexpr double kF16Fuel = 450;
    static constexpr double kHitFuel = 300;  // hit by its missile: fuel and top speed lost
    static constexpr double kHitTopSpeed = 2;
    static constexpr double kStarScore = 1;  // a star caught
    // A repair costs this many points per damage; it gives back the top speed and missiles, more
    // for two at once.
    static constexpr double kRepairPrice = 20;
    static constexpr double kRepairMissiles = 6, kRepairBothMissiles = 9;

    // State (shared fields are GameScreen's): start values are set by the set-up.
    std::int16_t lighthouseDistance = 0;

    // Sprites of this screen.
    Sprite &d4, &d5, &d6, &o1, &o2, &o3, &o4, &o5, &o6, &o7, &ioblak, &bod1, &bod2, &bod3, &f16, &raketa2, &majak, &m1,
        &m2;

    // Handlers.
    void Form_Load();
    void pohyb_Timer();    // world scroll, the missed lighthouse
    void kolizie_Timer();  // rescues, hits, stars, the F16
    void Timer5_Timer();   // dashboard and fuel clock
    void Timer8_Timer();   // missiles and the F16's fire
    void Timer4_Timer();   // stars twinkle
    void Timer2_Timer();   // lighthouse lamp

    // Puts the F16 back ahead of the aircraft, beyond the right edge: Left first, then Top.
    // Used when it has flown past and when a missile brings it down.
    void placeF16Ahead();
    // The rescue count on the dashboard, out of the rescues that win: "3/10".
    void showRescues();

protected:
    void teardown() override;
    void recordVictory() override;
    bool upAllowed() const override;
    double speedFloor() const override;
    bool Space_KeyDown() override;

private:
    // The steps of the collision tick; each returns false when the game has ended.
    bool rescueStep();
    bool enemyMissileStep();
    void starsStep();
    bool crashStep();
    void missilesOnF16Step();
    void repairOffer();
};

}  // namespace sky
