// Episode 1: the screen's catalogue, timers, set-up and teardown.
#include "episode1/form1.h"

#include <algorithm>

#include "shell/menu.h"
#include "shell/program.h"

namespace sky {

namespace {

// clang-format off
constexpr SpriteRow kSprites[] = {
    // name        picture     left  top   w    h   visible source
    {"letisko",    nullptr,     32, 348, 115,  45, true,  false},  // the airport; l1 at set-up
    {"d1",         "d1",         0,   0,  61,  29, false, true},   // house pictures
    {"d2",         "d2",         0,   0,  61,  29, false, true},
    {"d3",         "d3",         0,   0,  61,  29, false, true},
    {"d4",         "d4",         0,   0,  61,  29, false, true},
    {"strom",      nullptr,    448, 366,  18,  28, true,  false},  // the tree
    {"s1",         "s1",         0,   0,  18,  28, false, true},   // tree pictures
    {"s2",         "s2",         0,   0,  18,  28, false, true},
    {"s3",         "s3",         0,   0,  18,  28, false, true},
    {"v1",         "v",        568, 160,  16,  10, true,  false},  // birds
    {"v2",         "v",        568, 176,  16,  10, true,  false},
    {"bod1",       nullptr,    512,  16,  13,  13, true,  false},  // stars; b1 at set-up
    {"bod2",       nullptr,     96,  72,  13,  13, true,  false},
    {"bod3",       nullptr,    216, 160,  13,  13, true,  false},
    {"bod4",       nullptr,    616, 224,  13,  13, true,  false},
    {"bod5",       nullptr,    344, 248,  13,  13, true,  false},
    {"bomba(0)",   "bomba",    200, 272,  27,  10, false, false},  // bombs
    {"bomba(1)",   "bomba",    232, 272,  27,  10, false, false},
    {"bomba(2)",   "bomba",    264, 272,  27,  10, false, false},
    {"vybuch(0)",  nullptr,    464, 192,  46,  46, false, false},  // explosion slots
    {"vybuch(1)",  nullptr,    464, 248,  46,  46, false, false},
    {"vybuch(2)",  nullptr,    464, 304,  46,  46, false, false},
};
// clang-format on

const std::vector<std::string_view>& stacking() {
    static const std::vector<std::string_view> order = {
        "letisko", "dom1",      "dom2",     "dravik",   "o1",       "o2",        "o3",        "strom",
        "o4",      "o5",        "v1",       "v2",       "bod1",     "bod2",      "bod3",      "bod4",
        "bod5",    "dashboard", "bomba(0)", "bomba(1)", "bomba(2)", "vybuch(0)", "vybuch(1)", "vybuch(2)"};
    return order;
}

const std::vector<TimerRow<Form1>>& timerTable() {
    // clang-format off
    static const std::vector<TimerRow<Form1>> rows = {
        // name     interval on at load rank handler                        member
        {"pohyb",   10,    true,  0,  onTimer<&Form1::pohyb_Timer>,      &Form1::pohyb},    // world scroll
        {"kolizie", 100,   true,  1,  onTimer<&Form1::kolizie_Timer>,    nullptr},          // collisions and scoring
        {"Timer1",  100,   true,  2,  onTimer<&Form1::Timer1_Timer>,     &Form1::Timer1},   // line check
        {"Timer3",  10,    true,  3,  onTimer<&Form1::Timer3_Timer>,     &Form1::Timer3},   // climb and descent
        {"Timer5",  100,   true,  4,  onTimer<&Form1::Timer5_Timer>,     &Form1::Timer5},   // dashboard and fuel clock
        {"Timer8",  10,    true,  5,  onTimer<&Form1::Timer8_Timer>,     nullptr},          // bombs
        {"Timer11", 50,    true,  6,  onTimer<&Form1::Timer11_Timer>,    nullptr},          // explosions
        {"Timer6",  800,   true,  7,  onTimer<&Form1::Timer6_Timer>,     nullptr},          // airport beacon
        {"Timer7",  700,   true,  8,  onTimer<&Form1::Timer7_Timer>,     nullptr},          // stars twinkle
        {"Timer4",  Form1::kTakeOffMs, false, 9,  onTimer<&Form1::Timer4_Timer>,     &Form1::Timer4},   // take-off
        {"Timer2",  10,    false, 10, onTimer<&Form1::Timer2_Timer>,     &Form1::Timer2},   // landing
        {"Timer9",  1000,  false, 11, onTimer<&Form1::Timer9_Timer>,     &Form1::Timer9},   // approach brake
        {"Timer10", 1000,  false, 12, onTimer<&Form1::Timer10_Timer>,    &Form1::Timer10},  // climb-out
    };
    // clang-format on
    return rows;
}

const ScreenDesign kDesign{"Form1",
                           TextId::Episode1Title,
                           "bg1",
                           1,
                           kSprites,
                           stacking(),
                           3,
                           ownSprite(kSprites, "letisko"),
                           ownArray(kSprites, "bomba", 3),
                           ownArray(kSprites, "vybuch", 3)};

}  // namespace

Form1::Form1(Program& p)
    : GameScreen(p, kDesign),
      d1(sprite(ownSprite(kSprites, "d1"))),
      d2(sprite(ownSprite(kSprites, "d2"))),
      d3(sprite(ownSprite(kSprites, "d3"))),
      d4(sprite(ownSprite(kSprites, "d4"))),
      strom(sprite(ownSprite(kSprites, "strom"))),
      s1(sprite(ownSprite(kSprites, "s1"))),
      s2(sprite(ownSprite(kSprites, "s2"))),
      s3(sprite(ownSprite(kSprites, "s3"))),
      o1(sprite(sharedSprite("o1"))),
      o2(sprite(sharedSprite("o2"))),
      o3(sprite(sharedSprite("o3"))),
      o4(sprite(sharedSprite("o4"))),
      o5(sprite(sharedSprite("o5"))),
      ioblak(sprite(sharedSprite("ioblak"))),
      v1(sprite(ownSprite(kSprites, "v1"))),
      v2(sprite(ownSprite(kSprites, "v2"))),
      bod1(sprite(ownSprite(kSprites, "bod1"))),
      bod2(sprite(ownSprite(kSprites, "bod2"))),
      bod3(sprite(ownSprite(kSprites, "bod3"))),
      bod4(sprite(ownSprite(kSprites, "bod4"))),
      bod5(sprite(ownSprite(kSprites, "bod5"))) {
    // State, in declaration order.
    bindVar("speed", speed);
    bindVar("climbRate", climbRate);
    bindVar("airportDistance", airportDistance);
    bindVar("tilt", tilt);
    bindVar("fuel", fuel);
    bindVar("edgeContact", edgeContact);
    bindVar("fuelBurn", fuelBurn);
    bindVar("level", level);
    bindVar("score", score);
    bindVar("landingMode", landingMode);
    bindVar("edgeRelease", edgeRelease);
    bindVar("onAirport", onAirport);
    bindVar("maxSpeed", maxSpeed);
    bindVar("damage", damage);
    bindVar("bombFuse0", bombFuse0);
    bindVar("bombFuse1", bombFuse1);
    bindVar("bombFuse2", bombFuse2);
    bindVar("bombs", bombs);

    Form_Load();
    buildTimers(*this, timerTable());
}

void Form1::Form_Load() {
    Random& rnd = program_.random();
    // 1. A fresh sequence for every start (or the scenario's seed).
    program_.seedForSetup();
    // 2. Start values.
    speed = 7;
    climbRate = 3;
    airportDistance = 8500;
    tilt = 1;
    fuel = 2300;
    edgeContact = 0;
    fuelBurn = 1;
    level = 1;
    score = 0;
    landingMode = 0;
    edgeRelease = 0;
    onAirport = 0;
    maxSpeed = kTopSpeed;
    damage = 0;
    bombFuse0 = bombFuse1 = bombFuse2 = 0;
    bombs = 80;
    // 3. The aircraft starts nose up, standing on the airport.
    dravik.setPicture(hh1.Picture);
    // 4. The houses, and the next airport 8500 pixels ahead.
    airportDistance = 8500;
    dom1.Left = 600;
    dom2.Left = 1000;
    vletisko.Left = airportDistance;
    // 5. The airport it stands on, its beacon lit.
    letisko.setPicture(l1.Picture);
    // 6-7. Clouds anywhere across the sky: top first, then left.
    for (Sprite* o : {&o1, &o2, &o3, &o4, &o5}) placeTopThenLeft(*o, kCloudStart, rnd);
    for (Sprite* o : {&o1, &o2, &o3, &o4, &o5}) o->setPicture(ioblak.Picture);
    // 8. Birds just beyond the right edge.
    for (Sprite* v : {&v1, &v2}) placeTopThenLeft(*v, kBirdBack, rnd);
    // 9-10. Stars keep their design lefts.
    for (Sprite* b : {&bod1, &bod2, &bod3, &bod4, &bod5}) b->Top = rnd.range(280, 10);
    for (Sprite* b : {&bod1, &bod2, &bod3, &bod4, &bod5}) b->setPicture(b1.Picture);
    // 11-12. Two houses that never look alike.
    Sprite* houses[] = {&d1, &d2, &d3, &d4};
    dom1.setPicture(houses[rnd.range(4, 0)]->Picture);
    do dom2.setPicture(houses[rnd.range(4, 0)]->Picture);
    while (dom2.Picture == dom1.Picture);
    // 13. The tree.
    Sprite* trees[] = {&s1, &s2, &s3};
    strom.setPicture(trees[rnd.range(3, 0)]->Picture);
}

void Form1::teardown() {
    GameProgress& g = program_.progress();
    if (score > g.ep1BestScore) g.ep1BestScore = static_cast<std::int16_t>(std::min(score, 32767.0));
    program_.showMenu();
}

}  // namespace sky
