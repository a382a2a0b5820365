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

// Builds the scene first, so that the references below can bind to it.
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
      design_(built(*this, d,
                    [](GameScreen& s, const ScreenDesign& d) {
                        s.buildSprites(kSharedSprites);
                        s.buildSprites(d.sprites);
                        buildDashboard(s, d.episode);
                    })),
      dravik(sprite(sharedSprite("dravik"))),
      hn(sprite(sharedSprite("hn"))),
      hh1(sprite(sharedSprite("hh1"))),
      hh2(sprite(sharedSprite("hh2"))),
      hh3(sprite(sharedSprite("hh3"))),
      hd1(sprite(sharedSprite("hd1"))),
      hd2(sprite(sharedSprite("hd2"))),
      hd3(sprite(sharedSprite("hd3"))),
      vletisko(sprite(sharedSprite("vletisko"))),
      letisko(sprite(d.airport)),
      l1(sprite(sharedSprite("l1"))),
      l2(sprite(sharedSprite("l2"))),
      dom1(sprite(sharedSprite("dom1"))),
      dom2(sprite(sharedSprite("dom2"))),
      b1(sprite(sharedSprite("b1"))),
      b2(sprite(sharedSprite("b2"))),
      vy1(sprite(sharedSprite("vy1"))),
      vy2(sprite(sharedSprite("vy2"))),
      vy3(sprite(sharedSprite("vy3"))),
      vy4(sprite(sharedSprite("vy4"))),
      vy5(sprite(sharedSprite("vy5"))),
      vy6(sprite(sharedSprite("vy6"))),
      Line1(lines_[rowOf(dashboard::kLines, "Line1")]),
      Line2(lines_[rowOf(dashboard::kLines, "Line2")]),
      Line4(lines_[rowOf(dashboard::kLines, "Line4")]),
      Shape4(shapes_[rowOf(dashboard::kShapes, "Shape4")]),
      Label1(labels_[dashboard::valueLabel("Label1")]),
      Label2(labels_[dashboard::valueLabel("Label2")]),
      Label3(labels_[dashboard::valueLabel("Label3")]),
      Label4(labels_[dashboard::valueLabel("Label4")]),
      Label5(labels_[dashboard::valueLabel("Label5")]),
      Label6(labels_[dashboard::valueLabel("Label6")]),
      Label8(labels_[dashboard::valueLabel("Label8")]),
      Label16(labels_[dashboard::valueLabel("Label16")]) {
    for (std::size_t i = 0; i < 3; ++i) bomba_.push_back(&sprites_[d.firstBomb + i]);
    for (int i = 0; i < d.explosions; ++i) vybuch_.push_back(&sprites_[d.firstExplosion + i]);
    stack(d.stacking);
}

GameScreen::~GameScreen() = default;

PictureRef GameScreen::background() const {
    if (!backgroundMade_) {
        backgroundMade_ = true;
        background_ = designPicture(design_.name, design_.background);
    }
    return background_;
}

void GameScreen::buildSprites(std::span<const SpriteRow> rows) {
    // A catalogue's pictures are made at its first screen and shared by the screens after it
    // (pictures never change): a new game does not look its artwork up by name again.
    static std::unordered_map<const SpriteRow*, std::vector<PictureRef>> made;
    auto [at, first] = made.try_emplace(rows.data());
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
