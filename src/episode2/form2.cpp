// Episode 2: the screen's catalogue, timers, set-up and teardown.
#include "episode2/form2.h"

#include <algorithm>

#include "shell/program.h"

namespace sky {

namespace {

// clang-format off
constexpr SpriteRow kSprites[] = {
    // name        picture     left  top   w    h   visible source
    {"letisko",    nullptr,     32, 352, 115,  45, true,  false},  // the airport; l1 at set-up
    {"d4",         "d4",         0,   0,  61,  29, false, true},   // house pictures
    {"d5",         "d5",         0,   0,  61,  29, false, true},
    {"d6",         "d6",         0,   0,  61,  29, false, true},
    {"o6",         nullptr,    536, 144,  32,  32, true,  false},  // two more clouds
    {"o7",         nullptr,    576, 144,  32,  32, true,  false},
    {"bod1",       nullptr,    224, 104,  13,  13, true,  false},  // stars; b1 / b2 at set-up
    {"bod2",       nullptr,    208, 144,  13,  13, true,  false},
    {"bod3",       nullptr,    256, 128,  13,  13, true,  false},
    {"bomba(0)",   "raketa",   200, 272,  27,  10, false, false},  // the player's missiles
    {"bomba(1)",   "raketa",   232, 272,  27,  10, false, false},
    {"bomba(2)",   "raketa",   264, 272,  27,  10, false, false},
    {"f16",        "f16",      312, 120,  78,  27, true,  false},  // the enemy fighter
    {"raketa2",    "raketa2",  328, 272,  27,  10, false, false},  // and its missile
    {"majak",      nullptr,    392, Form2::kLighthouseTop, 10, 20, true, false},  // the lighthouse; m1 at set-up
    {"m1",         "m1",         0,   0,  12,  21, false, true},   // lamp green
    {"m2",         "m2",         0,   0,  12,  21, false, true},   // lamp red
    {"vybuch(0)",  nullptr,    456, 184,  46,  46, false, false},  // explosion slots
    {"vybuch(1)",  nullptr,    456, 240,  46,  46, false, false},
};
// clang-format on

const std::vector<std::string_view>& stacking() {
    static const std::vector<std::string_view> order = {
        "letisko", "dom1",    "dom2", "dravik", "dashboard", "bomba(0)",  "bomba(1)", "bomba(2)",
        "majak",   "raketa2", "bod1", "bod2",   "o6",        "bod3",      "o7",       "f16",
        "o5",      "o1",      "o2",   "o3",     "o4",        "vybuch(0)", "vybuch(1)"};
    return order;
}

const std::vector<TimerRow<Form2>>& timerTable() {
    // clang-format off
    static const std::vector<TimerRow<Form2>> rows = {
        // name     interval on at load rank handler                        member
        {"pohyb",   10,    true,  0,  onTimer<&Form2::pohyb_Timer>,      &Form2::pohyb},    // world scroll
        {"kolizie", 100,   true,  1,  onTimer<&Form2::kolizie_Timer>,    nullptr},          // rescues, hits, stars
        {"Timer1",  100,   true,  2,  onTimer<&Form2::Timer1_Timer>,     nullptr},          // line check
        {"Timer3",  10,    true,  3,  onTimer<&Form2::Timer3_Timer>,     nullptr},          // climb and descent
        {"Timer5",  100,   true,  4,  onTimer<&Form2::Timer5_Timer>,     nullptr},          // dashboard and fuel clock
        {"Timer8",  10,    true,  5,  onTimer<&Form2::Timer8_Timer>,     nullptr},          // missiles and the F16's fire
        {"Timer11", 50,    true,  6,  onTimer<&Form2::Timer11_Timer>,    nullptr},          // explosions
        {"Timer6",  800,   true,  7,  onTimer<&Form2::Timer6_Timer>,     nullptr},          // airport beacon
        {"Timer4",  700,   true,  9,  onTimer<&Form2::Timer4_Timer>,     nullptr},          // stars twinkle
        {"Timer2",  300,   true,  10, onTimer<&Form2::Timer2_Timer>,     nullptr},          // lighthouse lamp
    };
    // clang-format on
    return rows;
}

const ScreenDesign kDesign{"Form2",
                           TextId::Episode2Title,
                           "bg2",
                           2,
                           kSprites,
                           stacking(),
                           2,
                           ownSprite(kSprites, "letisko"),
                           ownArray(kSprites, "bomba", 3),
                           ownArray(kSprites, "vybuch", 2)};

}  // namespace

Form2::Form2(Program& p)
    : GameScreen(p, kDesign),
      d4(sprite(ownSprite(kSprites, "d4"))),
      d5(sprite(ownSprite(kSprites, "d5"))),
      d6(sprite(ownSprite(kSprites, "d6"))),
      o1(sprite(sharedSprite("o1"))),
      o2(sprite(sharedSprite("o2"))),
      o3(sprite(sharedSprite("o3"))),
      o4(sprite(sharedSprite("o4"))),
      o5(sprite(sharedSprite("o5"))),
      o6(sprite(ownSprite(kSprites, "o6"))),
      o7(sprite(ownSprite(kSprites, "o7"))),
      ioblak(sprite(sharedSprite("ioblak"))),
      bod1(sprite(ownSprite(kSprites, "bod1"))),
      bod2(sprite(ownSprite(kSprites, "bod2"))),
      bod3(sprite(ownSprite(kSprites, "bod3"))),
      f16(sprite(ownSprite(kSprites, "f16"))),
      raketa2(sprite(ownSprite(kSprites, "raketa2"))),
      majak(sprite(ownSprite(kSprites, "majak"))),
      m1(sprite(ownSprite(kSprites, "m1"))),
      m2(sprite(ownSprite(kSprites, "m2"))) {
    // State, in declaration order.
    bindVar("speed", speed);
    bindVar("climbRate", climbRate);
    bindVar("lighthouseDistance", lighthouseDistance);
    bindVar("tilt", tilt);
    bindVar("fuel", fuel);
    bindVar("edgeContact", edgeContact);
    bindVar("fuelBurn", fuelBurn);
    bindVar("level", level);
    bindVar("score", score);
    bindVar("landingMode", landingMode);
    bindVar("edgeRelease", edgeRelease);
    bindVar("maxSpeed", maxSpeed);
    bindVar("bombs", bombs);
    bindVar("damage", damage);

    Form_Load();
    buildTimers(*this, timerTable());
}

void Form2::Form_Load() {
    Random& rnd = program_.random();
    // 1. A fresh sequence for every start (or the scenario's seed).
    program_.seedForSetup();
    // 2. Start values.
    speed = 7;
    climbRate = 3;
    lighthouseDistance = 4000;
    tilt = 1;
    fuel = 8700;
    edgeContact = 0;
    fuelBurn = 3.5;
    level = 0;
    score = 0;
    landingMode = 0;
    edgeRelease = 0;
    maxSpeed = kTopSpeed;
    bombs = 80;
    damage = 0;
    // 3. The aircraft starts nose up, standing on the airport.
    dravik.setPicture(hh1.Picture);
    // 4. Houses, and the first lighthouse 4000 pixels ahead.
    lighthouseDistance = 4000;
    dom1.Left = 600;
    dom2.Left = 1000;
    majak.Left = lighthouseDistance;
    // 5. The airport it starts from, its beacon lit.
    letisko.setPicture(l1.Picture);
    // 6. The middle star blinks in the opposite phase.
    bod1.setPicture(b1.Picture);
    bod2.setPicture(b2.Picture);
    bod3.setPicture(b1.Picture);
    // 7. The lighthouse starts on its first lamp picture.
    majak.setPicture(m1.Picture);
    // 8-9. Clouds anywhere across the sky: top first, then left.
    for (Sprite* o : {&o1, &o2, &o3, &o4, &o5, &o6, &o7}) placeTopThenLeft(*o, kCloudStart, rnd);
    for (Sprite* o : {&o1, &o2, &o3, &o4, &o5, &o6, &o7}) o->setPicture(ioblak.Picture);
    // 10. The F16 starts beyond the right edge: left first, then top.
    f16.Left = rnd.range(100, 1000);
    f16.Top = rnd.range(298, 30);
    // 11. Stars: both coordinates random, left first.
    for (Sprite* b : {&bod1, &bod2, &bod3}) {
        b->Left = rnd.range(440, 200);
        b->Top = rnd.range(310, 10);
    }
    // 12-13. Two houses that never look alike.
    Sprite* houses[] = {&d4, &d5, &d6};
    dom1.setPicture(houses[rnd.range(3, 0)]->Picture);
    do dom2.setPicture(houses[rnd.range(3, 0)]->Picture);
    while (dom2.Picture == dom1.Picture);
}

void Form2::teardown() {
    GameProgress& g = program_.progress();
    if (score > g.ep2BestScore) g.ep2BestScore = static_cast<std::int16_t>(std::min(score, 32767.0));
    program_.showMenu();
}

}  // namespace sky
