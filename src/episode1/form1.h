// Episode 1, the bombing run: the Form1 screen, its state and its handlers.
#pragma once

#include <cstdint>

#include "playfield/gamescreen.h"

namespace sky {

class Form1 : public GameScreen {
public:
    explicit Form1(Program& p);  // loads the screen: the set-up runs

    // Where birds and stars come back in, beyond the right edge, when they have flown past or
    // been caught by the aircraft; birds also start there.
    static constexpr Placement kBirdBack{310, 20, 200, 624};
    static constexpr Placement kStarBack{280, 10, 200, 624};

    // The rules' numbers (the help page shows them too).
    static constexpr double kSpeedFloor = 7;  // the slowest the aircraft flies
    static constexpr double kStarScore = 1;   // a star caught
    static constexpr double kHouseScore = 1;  // a house bombed: points and fuel
    static constexpr double kHouseFuel = 20;
    static constexpr double kBirdScore = 2;   // a bird bombed
    static constexpr double kBirdFuel = 300;  // a bird in the turbine: fuel and top speed lost
    static constexpr double kBirdTopSpeed = 2;
    static constexpr double kFuseTicks = 13;      // a bomb dropped from high bursts on this tick
    static constexpr double kFallStep = 15;       // pixels a bomb falls a tick
    static constexpr double kFastApproach = 10;   // from this speed on the approach starts far out
    static constexpr double kApproachFar = 1500;  // where the next airport's marker starts the approach,
    static constexpr double kApproachNear = 400;  // fast and slow
    static constexpr double kDistanceFrom = 53;   // the distance read-out counts from this far into it
    static constexpr double kApproachSpeed = 5;   // the approach brakes to this speed
    static constexpr double kRepairPrice = 40;    // points a repair costs; it gives bombs and top speed
    static constexpr double kRepairBombs = 5;
    static constexpr double kRepairTopSpeed = 2;
    static constexpr int kTakeOffMs = 3000;       // on the ground this long
    static constexpr double kLandingFuel = 1500;  // a take-off gives fuel, bombs and points
    static constexpr double kLandingBombs = 20;
    static constexpr double kLandingScore = 3;
    static constexpr double kLastLevel = 9;  // the landing that ends this level wins

    // State (shared fields are GameScreen's): start values are set by the set-up.
    std::int16_t airportDistance = 0;
    double onAirport = 0;
    double bombFuse0 = 0, bombFuse1 = 0, bombFuse2 = 0;
    double& bombFuse(int i) { return i == 0 ? bombFuse0 : i == 1 ? bombFuse1 : bombFuse2; }

    // Sprites of this screen.
    Sprite &d1, &d2, &d3, &d4, &strom, &s1, &s2, &s3, &o1, &o2, &o3, &o4, &o5, &ioblak, &v1, &v2, &bod1, &bod2, &bod3,
        &bod4, &bod5;

    // The timers the rules switch on and off (the rest only run).
    Timer *Timer1 = nullptr, *Timer2 = nullptr, *Timer3 = nullptr, *Timer4 = nullptr, *Timer5 = nullptr,
          *Timer9 = nullptr, *Timer10 = nullptr;

    // Handlers.
    void Form_Load();
    void pohyb_Timer();    // world scroll
    void kolizie_Timer();  // collisions and scoring
    void Timer5_Timer();   // dashboard and fuel clock, airport approach
    void Timer8_Timer();   // bombs
    void Timer7_Timer();   // stars twinkle
    void Timer4_Timer();   // take-off
    void Timer2_Timer();   // landing
    void Timer9_Timer();   // approach brake
    void Timer10_Timer();  // climb-out after take-off

protected:
    void teardown() override;
    void recordVictory() override;
    bool upAllowed() const override;
    double speedFloor() const override;
    bool Space_KeyDown() override;
};

}  // namespace sky
