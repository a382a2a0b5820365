// A game screen: the playfield window with its sprites, reference lines, dashboard, timers and
// the state both episodes share. Form1 and Form2 build on it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "playfield/layout.h"
#include "playfield/placement.h"
#include "runtime/cues.h"
#include "runtime/scheduler.h"
#include "runtime/sprite.h"
#include "runtime/text.h"

namespace sky {

class Program;

// One row of a screen's timer table.
template <class Screen>
struct TimerRow {
    const char* name;
    int interval;            // ms
    bool enabled;            // at screen load
    int rank;                // the order among timers due at the same instant, lowest first
    Timer::Handler handler;  // what it runs: onTimer<&Screen::Name_Timer>
    Timer* Screen::*member;  // the screen's member that names it, or nullptr
};

template <class>
struct HandlerScreen;
template <class Screen>
struct HandlerScreen<void (Screen::*)()> {
    using type = Screen;
};
// A screen's timer handler as its timer calls it: one plain call into the member, the fastest way
// through an indirect call in the browser's engine (the timers fire some 350 times a second).
template <auto handler>
void onTimer(void* screen, const void*) {
    (static_cast<typename HandlerScreen<decltype(handler)>::type*>(screen)->*handler)();
}

// What the window draws, bottom to top.
struct DrawItem {
    enum Kind { SpriteItem, LabelItem, ShapeItem, LineItem } kind;
    std::size_t index;
};

// Everything a screen is built from: its tables. They live as long as the program: what the
// first screen works out from them is kept for the screens after it.
struct ScreenDesign {
    const char* name;                               // "Form1", "Form2"
    TextId caption;                                 // window caption
    const char* background;                         // background picture
    int episode;                                    // 1 or 2: the dashboard's colours and captions
    std::span<const SpriteRow> sprites;             // beside the ones both screens have
    const std::vector<std::string_view>& stacking;  // bottom up; "dashboard" for the panel
    int explosions;                                 // slots vybuch(0 .. explosions-1)
    // Where letisko, bomba(0) and vybuch(0) stand in the scene (ownSprite, ownArray).
    std::size_t airport, firstBomb, firstExplosion;
};

// How a run ends: the player has lost it, or won the episode.
enum class Ending { Lost, Won };
// Whether the run stands still before its end is told.
enum class Freeze { No, Yes };

class GameScreen {
public:
    static constexpr int kClientWidth = 669, kClientHeight = 515;
    // An aircraft whose Top is above this line is in the air; at it or below, it is on the ground.
    static constexpr double kAirborne = 344;
    // The Top of an aircraft down on the ground line.
    static constexpr double kGround = dashboard::kGround;
    // The nose goes at most this many steps up or down.
    static constexpr double kMaxTilt = 4;
    // The top speed a run starts with; each damage takes some of it, each repair gives it back.
    static constexpr double kTopSpeed = 14;
    // Clouds: where they start, anywhere across the sky, and where they come back in at the right.
    static constexpr Placement kCloudStart{222, 10, 624, 0};
    static constexpr Placement kCloudBack{222, 10, 200, 624};

    virtual ~GameScreen();
    GameScreen(const GameScreen&) = delete;
    GameScreen& operator=(const GameScreen&) = delete;

    const std::string& name() const { return name_; }  // "Form1" or "Form2"
    int episode() const { return episode_; }           // 1 or 2
    const std::string& caption() const { return caption_; }
    // Made at its first showing: a game played without a window (a scenario, a recording) never
    // draws its largest picture.
    PictureRef background() const;

    // Scene access by name, for the scenario runner and replays, which read names from files
    // (nullptr when there is no such element). The rules use the members.
    Sprite* findSprite(std::string_view name);
    Label* findLabel(std::string_view name);
    Shape* findShape(std::string_view name);
    Line* findLine(std::string_view name);
    Timer* findTimer(std::string_view name);
    const std::deque<Sprite>& sprites() const { return sprites_; }
    const std::deque<Label>& labels() const { return labels_; }
    const std::deque<Shape>& shapes() const { return shapes_; }
    const std::deque<Line>& lines() const { return lines_; }
    const std::vector<DrawItem>& stacking() const { return stacking_; }
    const std::deque<Timer>& timers() const { return timers_; }

    // Screen variables by name, for the scenario runner and replays.
    bool hasVar(std::string_view name) const;
    double getVar(std::string_view name) const;
    bool setVar(std::string_view name, double value);
    std::vector<std::string> varNames() const;

    // Handlers both screens share.
    void Form_KeyDown(int keyCode);  // pilot input: every key reaches the screen first
    void Timer3_Timer();             // climb and descent, levelling at the lines
    void Timer1_Timer();             // the line check
    void Timer11_Timer();            // explosions
    void Timer6_Timer();             // the airport beacon

    // Closes the screen: its timers stop, its teardown runs (best score, the menu comes back).
    // Runs once however often it is asked; a handler still waiting in a message box returns into
    // a closed screen and must do nothing more.
    void Unload();
    bool closed() const { return closed_; }
    // The program is ending (the desktop asked): the run ends as its own ending would, a victory
    // whose box is open recorded, then the screen closes as Unload() closes it.
    void endNow();

    // A paused screen stands still: its timers resume where they stood. Not a rule of the game:
    // the player's pause, so nothing of the game sees it.
    void setPaused(bool on);
    bool paused() const { return paused_; }

    // A modal message box; the clock and the other timers run on while it is open.
    int MsgBox(const std::string& text, const std::string& title, int style);

    // Ends the run with a message, the same way for every ending but Esc. With Freeze::Yes the
    // run stands still first (speed 0, landingMode 1 so the speed keys do nothing, fuelBurn 0).
    // Then the message box is shown from inside the calling tick; a won episode records its
    // victory once the box is dismissed; then the screen closes.
    void endRun(Ending kind, Freeze freeze, const std::string& text, const std::string& title);
    // The aircraft goes down at a lost end: in the air it noses down and sinks 4 pixels per
    // attitude tick; with `noseDownOnGround` it takes the nose-down picture on the ground too.
    void bringDown(bool noseDownOnGround);
    // An explosion starts in slot i at (left, top): the first picture, shown, heard.
    void startExplosion(int i, double left, double top);
    // Tells the front end a sound cue.
    void cue(Cue c);

    // Shared state, the same name and role on both screens.
    double speed = 0, climbRate = 0, tilt = 0, fuel = 0, edgeContact = 0, fuelBurn = 0, level = 0, score = 0,
           landingMode = 0, edgeRelease = 0, maxSpeed = 0, bombs = 0, damage = 0;
    // A run already lost (the third hit, or the fuel gone) whose box is still open: it neither
    // lands nor rescues, and the screen closes when the box is dismissed.
    bool runLost() const { return damage > 2 || fuel <= 0; }

protected:
    GameScreen(Program& p, const ScreenDesign& design);

    // Building the timers from the table, with the screen's own handlers and members. Each timer
    // calls its row's handler on this screen.
    template <class Screen>
    void buildTimers(Screen& self, const std::vector<TimerRow<Screen>>& rows) {
        for (const TimerRow<Screen>& r : rows) {
            Timer& t = addTimer(r.name, r.interval, r.enabled, r.rank, r.handler, &self, nullptr);
            if (r.member) self.*r.member = &t;
        }
    }
    Timer& addTimer(const char* name, int interval, bool enabled, int rank, Timer::Handler handler, void* context,
                    const void* data);
    // The scene's parts by position (sharedSprite, ownSprite, dashboard::valueLabel).
    Sprite& sprite(std::size_t i) { return sprites_[i]; }
    Label& addLabel(Label l);
    Shape& addShape(Shape s);
    Line& addLine(Line l);
    void bindVar(const char* name, double& v);
    void bindVar(const char* name, std::int16_t& v);

    virtual void teardown() = 0;
    // What winning the episode records in the progress.
    virtual void recordVictory() = 0;

    // The episode's own parts of the pilot's keys.
    virtual bool upAllowed() const = 0;     // episode 1 refuses Up on the airport
    virtual double speedFloor() const = 0;  // Left slows down to this speed
    // Space: releases a bomb or a missile. Returns true when the key handler ends there.
    virtual bool Space_KeyDown() = 0;
    // Picture and climb rate from the tilt.
    void attitudeRefresh();
    // Fuel is gone: the aircraft noses down and sinks if it is in the air (with
    // `noseDownOnGround` it shows the nose-down picture on the ground too), the run freezes, the
    // player is told, and the screen closes. The other timers go on while the box is open: the
    // aircraft keeps sinking.
    void fuelOut(bool noseDownOnGround);

    Program& program_;

private:
    std::string name_, caption_;
    int episode_;
    std::deque<Sprite> sprites_;
    std::deque<Label> labels_;
    std::deque<Shape> shapes_;
    std::deque<Line> lines_;
    std::deque<Timer> timers_;
    std::vector<DrawItem> stacking_;
    std::vector<Sprite*> bomba_, vybuch_;

    void buildSprites(std::span<const SpriteRow> rows);
    void stack(const std::vector<std::string_view>& names);
    struct Var {
        const char* name;
        std::variant<double*, std::int16_t*> ref;
    };
    std::vector<Var> vars_;
    bool closed_ = false;
    bool paused_ = false;
    bool winPending_ = false;  // a won episode's box is open: the victory is not recorded yet
    // Initialised after the containers above: building the scene fills them.
    const ScreenDesign& design_;
    mutable PictureRef background_;
    mutable bool backgroundMade_ = false;
    friend void buildDashboard(GameScreen&, int episode);

public:
    // The world scroll, which the window's motion follows.
    Timer* pohyb = nullptr;
    // The sprites and lines both screens have, by their design names.
    Sprite &dravik, &hn, &hh1, &hh2, &hh3, &hd1, &hd2, &hd3, &vletisko, &letisko, &l1, &l2, &dom1, &dom2, &b1, &b2,
        &vy1, &vy2, &vy3, &vy4, &vy5, &vy6;
    Line &Line1, &Line2, &Line4;
    Shape& Shape4;
    // Read-outs of the dashboard.
    Label &Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label8, &Label16;
    // Sprite arrays.
    Sprite& bomba(int i) { return *bomba_.at(i); }
    Sprite& vybuch(int i) { return *vybuch_.at(i); }
    int explosionSlots() const { return static_cast<int>(vybuch_.size()); }
};

// The dashboard panel's shapes, lines and labels for episode 1 or 2.
void buildDashboard(GameScreen& s, int episode);

// The speed read-out in hundreds: 7 shows 700; standing still shows plain 0.
std::string speedText(double speed);

// A two-picture animation: A becomes B, B becomes A, anything else stays.
void flip(Sprite& s, const Sprite& a, const Sprite& b);

// Key codes the game uses.
enum Key { kKeyEsc = 27, kKeySpace = 32, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40 };

}  // namespace sky
