// The game screen's scene, timers, variables and closing.
#include "playfield/gamescreen.h"

#include <cstdio>
#include <stdexcept>
#include <unordered_map>

#include "assets/pictures.h"
#include "shell/program.h"

namespace sky {

namespace {
PictureRef designPicture(const char* owner, const char* artwork) {
    auto img = assets::image(artwork);
    if (!img) {
        std::fprintf(stderr, "skyrend: picture '%s' for '%s' is missing; the sprite stays empty\n", artwork, owner);
        return nullptr;
    }
    return makePicture(owner, img, !assets::isIcon(artwork));
}
}  // namespace

// The sprites both screens have, as designed; each screen's own table adds the rest.
static const std::vector<SpriteRow>& sharedCatalogue() {
    // clang-format off
    static const std::vector<SpriteRow> rows = {
        // name        picture     left  top   w    h   visible source
        {"dravik",     nullptr,     64, 344,  84,  33, true,  false},  // the aircraft; hh1 at set-up
        {"hn",         "hn",         0,   0,  84,  33, false, true},   // level
        {"hh1",        "hh1",        0,   0,  84,  33, false, true},   // nose up 1..3
        {"hh2",        "hh2",        0,   0,  84,  33, false, true},
        {"hh3",        "hh3",        0,   0,  84,  33, false, true},
        {"hd1",        "hd1",        0,   0,  84,  33, false, true},   // nose down 1..3
        {"hd2",        "hd2",        0,   0,  84,  33, false, true},
        {"hd3",        "hd3",        0,   0,  84,  33, false, true},
        {"vletisko",   "hn",        32, 352,  84,  33, false, false},  // hidden marker of the next airport, looks like hn
        {"l1",         "l1",         0,   0, 115,  45, false, true},   // airport, beacon lit
        {"l2",         "l2",         0,   0, 115,  45, false, true},   // beacon dark
        {"dom1",       nullptr,    296, 365,  61,  29, true,  false},  // houses; pictures at set-up
        {"dom2",       nullptr,    600, 365,  61,  29, true,  false},
        {"o1",         nullptr,    496,  64,  32,  32, true,  false},  // clouds; ioblak at set-up
        {"o2",         nullptr,    536,  64,  32,  32, true,  false},
        {"o3",         nullptr,    496, 104,  32,  32, true,  false},
        {"o4",         nullptr,    536, 104,  32,  32, true,  false},
        {"o5",         nullptr,    496, 144,  32,  32, true,  false},
        {"ioblak",     "ioblak",     0,   0,  32,  32, false, true},   // the cloud icon
        {"b1",         "b1",         0,   0,  13,  13, false, true},   // star twinkle frames
        {"b2",         "b2",         0,   0,  13,  14, false, true},
        {"vy1",        "vy1",        0,   0,  46,  46, false, true},   // explosion frames 1..6
        {"vy2",        "vy2",        0,   0,  46,  46, false, true},
        {"vy3",        "vy3",        0,   0,  46,  46, false, true},
        {"vy4",        "vy4",        0,   0,  46,  46, false, true},
        {"vy5",        "vy5",        0,   0,  46,  46, false, true},
        {"vy6",        "vy6",        0,   0,  46,  46, false, true},
    };
    // clang-format on
    return rows;
}

// Builds the scene first, so that the named references below can bind to it.
static const ScreenDesign& built(GameScreen& s, const ScreenDesign& d,
                                 void (*build)(GameScreen&, const ScreenDesign&)) {
    build(s, d);
    return d;
}

GameScreen::GameScreen(Program& p, const ScreenDesign& d)
    : program_(p),
      name_(d.name),
      caption_(text(d.caption)),
      episode_(d.episode),
      background_((built(*this, d,
                         [](GameScreen& s, const ScreenDesign& d) {
                             s.buildSprites(sharedCatalogue());
                             s.buildSprites(d.sprites);
                             buildDashboard(s, d.episode);
                         }),
                   designPicture(d.name, d.background))),
      dravik(sprite("dravik")),
      hn(sprite("hn")),
      hh1(sprite("hh1")),
      hh2(sprite("hh2")),
      hh3(sprite("hh3")),
      hd1(sprite("hd1")),
      hd2(sprite("hd2")),
      hd3(sprite("hd3")),
      vletisko(sprite("vletisko")),
      letisko(sprite("letisko")),
      l1(sprite("l1")),
      l2(sprite("l2")),
      dom1(sprite("dom1")),
      dom2(sprite("dom2")),
      b1(sprite("b1")),
      b2(sprite("b2")),
      vy1(sprite("vy1")),
      vy2(sprite("vy2")),
      vy3(sprite("vy3")),
      vy4(sprite("vy4")),
      vy5(sprite("vy5")),
      vy6(sprite("vy6")),
      Line1(line("Line1")),
      Line2(line("Line2")),
      Line4(line("Line4")),
      Shape4(shape("Shape4")),
      Label1(label("Label1")),
      Label2(label("Label2")),
      Label3(label("Label3")),
      Label4(label("Label4")),
      Label5(label("Label5")),
      Label6(label("Label6")),
      Label8(label("Label8")),
      Label16(label("Label16")) {
    for (int i = 0; i < 3; ++i) bomba_.push_back(&sprite("bomba(" + std::to_string(i) + ")"));
    for (int i = 0; i < d.explosions; ++i) vybuch_.push_back(&sprite("vybuch(" + std::to_string(i) + ")"));
    stack(d.stacking);
}

GameScreen::~GameScreen() = default;

void GameScreen::buildSprites(const std::vector<SpriteRow>& rows) {
    // A catalogue's pictures are made at its first screen and shared by the screens after it
    // (pictures never change): a new game does not look its artwork up by name again.
    static std::unordered_map<const std::vector<SpriteRow>*, std::vector<PictureRef>> made;
    auto [at, first] = made.try_emplace(&rows);
    std::vector<PictureRef>& pictures = at->second;
    if (first)
        for (const SpriteRow& r : rows) pictures.push_back(r.picture ? designPicture(r.name, r.picture) : nullptr);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SpriteRow& r = rows[i];
        Sprite s;
        s.name = r.name;
        s.Left = r.left;
        s.Top = r.top;
        s.Width = r.width;
        s.Height = r.height;
        s.Visible = r.visible && !r.source;
        if (r.picture) s.setPicture(pictures[i]);
        sprites_.push_back(std::move(s));
    }
}

Timer& GameScreen::addTimer(const char* name, int interval, bool enabled, int rank, Timer::Handler handler,
                            void* context, const void* data) {
    return timers_.emplace_back(program_.scheduler(), name, interval, enabled, rank, handler, context, data);
}

template <class T>
static T* findByName(std::deque<T>& items, std::string_view name) {
    for (T& item : items)
        if (item.name == name) return &item;
    return nullptr;
}

Sprite* GameScreen::findSprite(std::string_view n) {
    return findByName(sprites_, n);
}
Label* GameScreen::findLabel(std::string_view n) {
    return findByName(labels_, n);
}
Shape* GameScreen::findShape(std::string_view n) {
    return findByName(shapes_, n);
}
Line* GameScreen::findLine(std::string_view n) {
    return findByName(lines_, n);
}
Timer* GameScreen::findTimer(std::string_view n) {
    for (Timer& t : timers_)
        if (t.name() == n) return &t;
    return nullptr;
}

template <class T>
static T& mustFind(T* p, std::string_view what, std::string_view name) {
    if (!p) throw std::logic_error(std::string(what) + " '" + std::string(name) + "' is not in the catalogue");
    return *p;
}

Sprite& GameScreen::sprite(std::string_view n) {
    return mustFind(findSprite(n), "sprite", n);
}
Label& GameScreen::label(std::string_view n) {
    return mustFind(findLabel(n), "label", n);
}
Shape& GameScreen::shape(std::string_view n) {
    return mustFind(findShape(n), "shape", n);
}
Line& GameScreen::line(std::string_view n) {
    return mustFind(findLine(n), "line", n);
}

Label& GameScreen::addLabel(Label l) {
    labels_.push_back(std::move(l));
    return labels_.back();
}
Shape& GameScreen::addShape(Shape s) {
    shapes_.push_back(std::move(s));
    return shapes_.back();
}
Line& GameScreen::addLine(Line l) {
    lines_.push_back(std::move(l));
    return lines_.back();
}

void GameScreen::stack(const std::vector<std::string_view>& names) {
    // Worked out by name at a design's first screen; the screens after it have the same scene.
    static std::unordered_map<const std::vector<std::string_view>*, std::vector<DrawItem>> made;
    auto [at, first] = made.try_emplace(&names);
    if (!first) {
        stacking_ = at->second;
        return;
    }
    stacking_.clear();
    auto indexOf = [](const auto& items, std::string_view n) -> std::size_t {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].name == n) return i;
        throw std::logic_error("'" + std::string(n) + "' cannot be stacked: not in the catalogue");
    };
    try {
        for (std::string_view n : names) {
            if (n == "dashboard") {
                // The panel: its shapes, then its lines, then its labels on top.
                for (std::size_t i = 0; i < shapes_.size(); ++i) stacking_.push_back({DrawItem::ShapeItem, i});
                for (std::size_t i = 0; i < lines_.size(); ++i) stacking_.push_back({DrawItem::LineItem, i});
                for (std::size_t i = 0; i < labels_.size(); ++i) stacking_.push_back({DrawItem::LabelItem, i});
            } else {
                stacking_.push_back({DrawItem::SpriteItem, indexOf(sprites_, n)});
            }
        }
    } catch (...) {
        made.erase(at);
        throw;
    }
    at->second = stacking_;
}

void GameScreen::bindVar(const char* n, double& v) {
    vars_.push_back({n, &v});
}
void GameScreen::bindVar(const char* n, std::int16_t& v) {
    vars_.push_back({n, &v});
}

bool GameScreen::hasVar(std::string_view n) const {
    for (const Var& v : vars_)
        if (n == v.name) return true;
    return false;
}

double GameScreen::getVar(std::string_view n) const {
    for (const Var& v : vars_)
        if (n == v.name) return std::visit([](auto* p) { return static_cast<double>(*p); }, v.ref);
    return 0;
}

bool GameScreen::setVar(std::string_view n, double value) {
    for (Var& v : vars_) {
        if (n != v.name) continue;
        if (auto* d = std::get_if<double*>(&v.ref)) {
            **d = value;
        } else {
            if (!(value >= -32768 && value <= 32767)) return false;
            *std::get<std::int16_t*>(v.ref) = static_cast<std::int16_t>(value);
        }
        return true;
    }
    return false;
}

std::vector<std::string> GameScreen::varNames() const {
    std::vector<std::string> out;
    for (const Var& v : vars_) out.emplace_back(v.name);
    return out;
}

void GameScreen::Unload() {
    if (closed_) return;
    closed_ = true;
    for (Timer& t : timers_) t.setEnabled(false);
    program_.screenUnloaded(*this);
    teardown();
}

void GameScreen::setPaused(bool on) {
    if (closed_ || paused_ == on) return;
    paused_ = on;
    for (Timer& t : timers_) on ? t.suspend() : t.resume();
}

int GameScreen::MsgBox(const std::string& text, const std::string& title, int style) {
    return program_.frontEnd().messageBox(text, title, style);
}

void GameScreen::endRun(Ending kind, Freeze freeze, const std::string& text, const std::string& title) {
    if (freeze == Freeze::Yes) {
        // Nothing scrolls, burns fuel or answers the speed keys while the message is open.
        speed = 0;
        landingMode = 1;
        fuelBurn = 0;
    }
    // The calling timer does not fire again while its box is open (the scheduler's busy rule),
    // so the message is shown once; the screen's other timers go on meanwhile.
    cue(kind == Ending::Won ? Cue::Victory : Cue::LostRun);
    if (kind == Ending::Won) winPending_ = true;
    MsgBox(text, title, kInformation);
    if (kind == Ending::Won && winPending_) {
        winPending_ = false;
        recordVictory();
    }
    Unload();  // does nothing if another ending closed the screen while the box was open
}

void GameScreen::endNow() {
    // A won episode whose box is still open has won: the box is only its telling.
    if (winPending_) {
        winPending_ = false;
        recordVictory();
    }
    Unload();
}

void GameScreen::bringDown(bool noseDownOnGround) {
    if (dravik.Top < kAirborne) {
        dravik.setPicture(hd2.Picture);
        climbRate = -4;
    }
    if (noseDownOnGround) dravik.setPicture(hd2.Picture);
}

void GameScreen::startExplosion(int i, double left, double top) {
    Sprite& slot = vybuch(i);
    slot.move(left, top);
    slot.Visible = true;
    slot.setPicture(vy1.Picture);
    cue(Cue::Explosion);
}

void GameScreen::cue(Cue c) {
    program_.frontEnd().cue(c);
}

}  // namespace sky
