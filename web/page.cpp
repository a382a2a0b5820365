// The game's core behind the web page: the page's front end, its driver and what the page's
// script calls. The script (page.js) draws, shows the menu, the panels and the message boxes,
// plays the music and keeps the progress in the browser; every rule stays in the core.
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assets/pictures.h"
#include "game/controls.h"
#include "game/drawlist.h"
#include "game/helppage.h"
#include "game/input.h"
#include "game/realtime.h"
#include "game/screens.h"
#include "playfield/gamescreen.h"
#include "playfield/motion.h"
#include "runtime/text.h"
#include "shell/about.h"
#include "shell/menu.h"
#include "shell/pravidla.h"
#include "shell/program.h"
#include "shell/progress.h"
#include "shell/registry.h"
#include "watch.h"

// The page's side, in page.js (the object skyPage).
EM_JS(void, js_call, (const char* what, const char* arg), { skyPage.fromGame(UTF8ToString(what), UTF8ToString(arg)); });
EM_JS(double, js_now, (), { return performance.now(); });
EM_JS(double, js_seed, (), { return (performance.timeOrigin + performance.now()) * 1000; });
// The box's buttons come as JSON: {"buttons":[[answer,caption],...],"default":answer}. A watched
// box only shows: the recording answers it.
EM_JS(int, js_box_open, (const char* text, const char* title, int style, const char* buttons, int watched), {
    return skyPage.openBox(UTF8ToString(text), UTF8ToString(title), style, JSON.parse(UTF8ToString(buttons)),
                           !!watched);
});
// What the browser holds as the progress now, UTF-8 into buf (at most size bytes, the excess not
// read): its length, -1 for nothing stored, -2 when the storage cannot be read.
EM_JS(int, js_stored_progress, (char* buf, int size), { return skyPage.storedProgress(buf, size); });
// Stores the progress; 0 when the browser refused.
EM_JS(int, js_store_progress, (const char* text), { return skyPage.storeProgress(UTF8ToString(text)) ? 1 : 0; });
// Resolves at the next display frame with 0, or at once with the answer when the box was closed.
EM_ASYNC_JS(int, js_box_wait, (int id), { return await skyPage.waitBox(id); });

namespace sky::web {

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20)
            out += "\\u00" + std::string{"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
        else
            out += c;
    }
    return out + "\"";
}

namespace {

constexpr const char* kProgressFile = "new.dat";

class WebFrontEnd : public FrontEnd {
public:
    std::unique_ptr<Program> own;          // the player's game
    std::unique_ptr<replay::Watch> watch;  // or a recording played instead (watch.cpp)
    // The game the page plays and shows: the player's, or the watch's run.
    Program* program() { return watch ? &watch->run().program() : own.get(); }
    std::unique_ptr<Controls> controls;
    int boxes = 0;
    bool menuShown = false, activatePending = false, sceneChanged = true;
    bool screenShown = false;        // what the page shows of the game
    std::optional<Micros> backFrom;  // the viewer asked to go back from there
    std::uint64_t paintedRuns = 0;
    RealTimeStep realTime;
    std::string menuSent;              // the menu's state as the page last heard it
    std::optional<GameProgress> base;  // the progress as this page last read or wrote it
    std::string storedProgress;        // and its text
    std::unique_ptr<About> about;
    SceneMotion::Mode motionMode = SceneMotion::Mode::Interpolate;
    SceneView view;

    // The clock follows real time: one step per display frame (slept: the page slept on purpose
    // since the last one, with nothing due).
    void step(bool slept = false) {
        if (!program() || program()->ended()) return;
        const Micros d = slept ? realTime.stepAfterSleep(nowNs()) : realTime.step(nowNs());
        if (watch)
            watch->step(d);
        else if (d > 0)
            own->scheduler().advance(d);
        tidy();
    }
    void resync() { realTime.restart(nowNs()); }
    // The player's keys for the program now running. A hidden page gets no frames to wait in: the
    // game pauses as the player leaves; a recording being watched takes its pauses from itself.
    void newControls() { controls = std::make_unique<Controls>(*program(), Controls::Options{!watch, 0}); }
    static std::int64_t nowNs() { return std::llround(js_now() * 1e6); }

    // What the window does after a handler: frees closed screens once nothing waits, and shows
    // what the menu and the progress now hold.
    void tidy() {
        Program* p = program();
        if (!p || p->ended()) return;
        if (p->scheduler().depth() == 0 && boxes == 0) p->collect();
        syncMenu();
        syncProgress();
    }

    void input(const InputEvent& e) {
        if (!own || own->ended() || watch) return;  // a recording plays: the viewer gives no inputs
        apply(*own, e);
        sceneChanged = true;
        tidy();
    }
    // An input the controls gave: a pause or its end also starts the clock's count afresh.
    void perform(const std::optional<InputEvent>& e) {
        if (!e) return;
        input(*e);
        if (e->kind == InputEvent::Pause || e->kind == InputEvent::Resume) resync();
    }

    void syncMenu() {
        Menu& m = program()->menu();
        std::string s = "{\"Label1\":" + jsonText(m.Label1) + ",\"Label2\":" + jsonText(m.Label2) +
                        ",\"Label3\":" + jsonText(m.Label3) + ",\"Label4\":" + jsonText(m.Label4) +
                        ",\"Label5\":" + jsonText(m.Label5) + ",\"Command2\":" + (m.Command2Enabled ? "1" : "0") +
                        ",\"Check1\":" + std::to_string(m.Check1Value) + "}";
        if (s == menuSent) return;  // the page hears only of a change
        menuSent = s;
        js_call("menuState", s.c_str());
    }

    // A web page is closed without a quit: whenever the progress changes (an episode's teardown,
    // the music switch), the progress file is written and the browser keeps a copy of it. Not
    // before the menu's first activation has read it. Another tab may have written meanwhile, so
    // the browser's copy is read again first and the two are merged (mergeProgress).
    void syncProgress() {
        if (watch || !own->modul1().progressLoaded) return;  // watching stores nothing
        GameProgress& p = own->progress();
        if (!base) base = p;  // what the first activation read
        const std::string mine = progressText(p);
        if (mine == storedProgress) return;
        std::string stored(kMaxProgressBytes + 2, '\0');
        const int n = js_stored_progress(stored.data(), static_cast<int>(stored.size()));
        if (n == -2) return;  // unreadable: the page says so, and nothing is overwritten blind
        GameProgress theirs = *base;
        if (n >= 0) {
            stored.resize(static_cast<std::size_t>(n));
            parseProgress(stored, theirs);
        }
        p = mergeProgress(theirs, *base, p);
        base = p;
        storedProgress = progressText(p);
        writeProgress(kProgressFile, p);
        if (n < 0 || storedProgress != stored) js_store_progress(storedProgress.c_str());
    }

    // FrontEnd.
    int messageBox(const std::string& text, const std::string& title, int style) override {
        const BoxLayout layout = boxLayout(style);
        std::string buttons;
        for (const BoxButton& b : layout.buttons)
            buttons += (buttons.empty() ? "[" : ",") +
                       ("[" + std::to_string(b.answer) + "," + jsonText(sky::text(b.caption)) + "]");
        buttons = "{\"buttons\":" + buttons + "],\"default\":" + std::to_string(layout.defaultAnswer) + "}";
        if (watch) return watchedBox(text, title, style, buttons);
        if (controls) controls->boxOpened(style);  // keys down now do not reach the box
        const int id = js_box_open(text.c_str(), title.c_str(), style, buttons.c_str(), 0);
        ++boxes;
        int answer = 0;
        // The clock runs on while the box is open: the other timers keep firing (the one whose
        // handler waits here is busy and misses its ticks).
        while ((answer = js_box_wait(id)) == 0) {
            step();
            js_call("paint", "");
        }
        --boxes;
        if (controls) controls->boxClosed();
        sceneChanged = true;
        return answer;
    }
    // A box of the recorded game: shown as it was, while the clock runs on at the viewer's pace up
    // to when the recording closed it. A jump back asked meanwhile plays the rest at once.
    int watchedBox(const std::string& text, const std::string& title, int style, const std::string& buttons) {
        const int id = js_box_open(text.c_str(), title.c_str(), style, buttons.c_str(), 1);
        ++boxes;
        const int answer = watch->answerBox(style, [&]() -> Micros {
            tidy();
            js_call("paint", "");
            if (!backFrom) js_box_wait(id);  // a display frame
            return backFrom ? -1 : realTime.step(nowNs());
        });
        --boxes;
        js_call("closeBox", std::to_string(id).c_str());
        sceneChanged = true;
        return answer;
    }
    void music(const std::string& command) override { js_call("music", command.c_str()); }
    // The page plays cue i from second i of its sound file (tools/soundgen.cpp --slots).
    void cue(Cue c) override { js_call("cue", std::to_string(static_cast<int>(c)).c_str()); }
    void showMenu() override {
        menuShown = true;
        activatePending = true;  // the menu becomes the active window as soon as it shows
        js_call("showMenu", "");
    }
    void hideMenu() override {
        menuShown = false;
        activatePending = false;
        js_call("hideMenu", "");
    }
    void screenOpened(GameScreen& s) override {
        screenShown = true;
        if (controls) controls->screenChanged();
        view = SceneView(motionMode);
        js_call("screenOpened", s.caption().c_str());
        resync();  // the new screen's timers start counting when it appears
    }
    void screenClosed(GameScreen&) override {
        screenShown = false;
        if (controls) controls->screenChanged();
        js_call("screenClosed", "");
    }
    void showRules() override { js_call("showRules", ""); }
    void showAbout() override {
        if (!about) {
            about = std::make_unique<About>(*this, systemRegistry(), systemLauncher());
            about->closeWindow = [] { js_call("closeAbout", ""); };
            about->Form_Load();
        }
        js_call("showAbout", about->Label1.c_str());
    }
    void openUrl(const std::string& url) override { js_call("openUrl", url.c_str()); }
    // A watched run takes its seeds from the recording and keeps its last picture at its end: it
    // asks for neither.
    std::uint64_t clockSeed() override { return static_cast<std::uint64_t>(js_seed()); }
    void quit() override { js_call("quit", ""); }
};

WebFrontEnd* fe = nullptr;

WebFrontEnd& theFrontEnd() {
    static WebFrontEnd frontEnd;
    return frontEnd;
}

InputEvent event(InputEvent::Kind kind, int value = 0, const char* control = "") {
    InputEvent e;
    e.kind = kind;
    e.value = value;
    e.control = control;
    return e;
}

// Pictures for the page: an id per image, its pixels as RGBA once the page asks.
struct ImageTable {
    std::map<std::pair<const Image*, bool>, int> ids;
    std::vector<std::pair<std::shared_ptr<const Image>, bool>> images;
    std::vector<std::uint8_t> rgba;
    int idOf(const std::shared_ptr<const Image>& img, bool whiteIsTransparent) {
        auto [it, fresh] = ids.try_emplace({img.get(), whiteIsTransparent}, static_cast<int>(images.size()));
        if (fresh) images.emplace_back(img, whiteIsTransparent);
        return it->second;
    }
} imageTable;

std::vector<std::int32_t> sceneData;
std::string sceneTexts;

int twips(int t) {
    return static_cast<int>(std::lround(static_cast<double>(t) / kTwipsPerPixel));
}

std::string infoJson() {
    auto box = [](int l, int t, int w, int h) {
        return std::to_string(twips(l)) + "," + std::to_string(twips(t)) + "," + std::to_string(twips(w)) + "," +
               std::to_string(twips(h));
    };
    auto picture = [](const char* name) {
        auto img = assets::image(name);
        return img ? imageTable.idOf(img, false) : -1;
    };
    auto labels = [&](const std::vector<InfoLabel>& ls) {
        std::string s;
        for (const InfoLabel& l : ls)
            s += std::string(s.empty() ? "" : ",") + "[" + jsonText(l.name) + "," + jsonText(text(l.text)) + "," +
                 box(l.left, l.top, l.width, l.height) + "," + std::to_string(l.font.points) + "," +
                 (l.font.bold ? "1" : "0") + "," + std::to_string(l.color) + "]";
        return "[" + s + "]";
    };
    auto lines = [&](const std::vector<InfoLine>& ls) {
        std::string s;
        for (const InfoLine& l : ls)
            s += std::string(s.empty() ? "" : ",") + "[" + box(l.x1, l.y1, l.x2, l.y2) + "," + std::to_string(l.color) +
                 "," + std::to_string(l.widthPixels) + "]";
        return "[" + s + "]";
    };
    std::string menu;
    for (const MenuControl& c : Menu::layout()) {
        static const char* kinds[] = {"picture", "frame", "button", "label", "check"};
        menu += std::string(menu.empty() ? "" : ",") + "[" + jsonText(c.name) + "," + jsonText(kinds[c.kind]) + "," +
                jsonText(c.parent) + "," + jsonText(text(c.caption)) + "," + box(c.left, c.top, c.width, c.height) +
                "," + std::to_string(c.kind == MenuControl::Picture ? picture(c.picture) : -1) + "]";
    }
    std::string pictures, buttons;
    for (const InfoPicture& p : About::pictures())
        pictures += std::string(pictures.empty() ? "" : ",") + "[" + box(p.left, p.top, p.width, p.height) + "," +
                    std::to_string(picture(p.picture)) + "]";
    for (const InfoButton& b : About::buttons())
        buttons += std::string(buttons.empty() ? "" : ",") + "[" + jsonText(b.name) + "," + jsonText(text(b.caption)) +
                   "," + box(b.left, b.top, b.width, b.height) + "]";
    return "{\"menu\":{\"caption\":" + jsonText(text(Menu::kCaption)) + ",\"size\":[" +
           std::to_string(twips(Menu::kClientWidth)) + "," + std::to_string(twips(Menu::kClientHeight)) +
           "],\"controls\":[" + menu + "],\"icon\":" + std::to_string(picture("ioblak")) +
           "},\"rules\":{\"caption\":" + jsonText(text(Pravidla::kCaption)) + ",\"size\":[" +
           std::to_string(twips(Pravidla::kClientWidth)) + "," + std::to_string(twips(Pravidla::kClientHeight)) +
           "],\"background\":" + std::to_string(picture(Pravidla::kBackground)) +
           ",\"labels\":" + labels(Pravidla::labels()) + ",\"lines\":" + lines(Pravidla::lines()) +
           "},\"about\":{\"caption\":" + jsonText(text(About::kCaption)) + ",\"size\":[" +
           std::to_string(twips(About::kClientWidth)) + "," + std::to_string(twips(About::kClientHeight)) +
           "],\"labels\":" + labels(About::labels()) + ",\"lines\":" + lines(About::lines()) + ",\"pictures\":[" +
           pictures + "],\"buttons\":[" + buttons + "]}}";
}

}  // namespace

// The page shows the watch's run from where it stands: what it showed of the run before and this
// one does not show goes (the run itself says the music: a piece that plays on is not restarted).
void showRun() {
    const bool hadScreen = fe->screenShown, hadMenu = fe->menuShown;
    fe->screenShown = fe->menuShown = false;
    fe->menuSent.clear();
    fe->about.reset();
    fe->controls.reset();
    fe->watch->run().show(*fe, [](const std::function<void()>& h) {
        h();
        fe->tidy();
    });
    if (hadScreen && !fe->screenShown) js_call("screenClosed", "");
    if (hadMenu && !fe->menuShown) js_call("hideMenu", "");
    fe->newControls();
    fe->sceneChanged = true;
    fe->resync();
}

// Whether a handler runs (the page waits in a box): the game cannot be replaced now.
bool busy() {
    Program* p = fe ? fe->program() : nullptr;
    return p && (p->scheduler().depth() > 0 || fe->boxes > 0);
}

replay::Watch* watching() {
    return fe ? fe->watch.get() : nullptr;
}

bool startWatching(std::unique_ptr<replay::Watch> watch) {
    if (busy()) return false;
    fe = &theFrontEnd();
    fe->controls.reset();
    fe->own.reset();  // the player's game ends as closing the page ends it: its progress is stored
    if (fe->watch) fe->watch->run().hide();  // another recording replaces this one
    fe->watch = std::move(watch);
    fe->backFrom.reset();
    showRun();
    return true;
}

bool watchAct(replay::WatchAction a) {
    if (!watching()) return false;
    if (a == replay::WatchAction::Leave) return true;
    if (a != replay::WatchAction::Back)
        fe->watch->act(a);
    else if (busy()) {
        if (!fe->backFrom) fe->backFrom = fe->watch->clock();
    } else {
        fe->watch->jumpBack();
        showRun();
    }
    return false;
}

// A jump back asked while a box of the recording stood open, once its handler is done.
void backWhenFree() {
    if (!fe->backFrom || busy()) return;
    const Micros from = *fe->backFrom;
    fe->backFrom.reset();
    fe->watch->jumpBack(from);
    showRun();
}

}  // namespace sky::web

using namespace sky;
using namespace sky::web;

extern "C" {

// Starts the game on its menu, with the progress file the browser holds (skyPage.storedProgress); smooth
// draws the world between its ticks, else the ticks are drawn as they fall.
EMSCRIPTEN_KEEPALIVE void sky_start(int smooth) {
    fe = &theFrontEnd();
    fe->motionMode = smooth ? SceneMotion::Mode::Interpolate : SceneMotion::Mode::Ticks;
    fe->controls.reset();
    if (fe->watch) fe->watch->run().hide();
    fe->watch.reset();
    fe->own.reset();
    fe->about.reset();
    std::remove(kProgressFile);
    fe->storedProgress.clear();
    fe->menuSent.clear();
    fe->base.reset();
    // Never more of the stored copy than the progress file's reader takes.
    std::string stored(kMaxProgressBytes + 2, '\0');
    const int n = js_stored_progress(stored.data(), static_cast<int>(stored.size()));
    if (n >= 0) {
        stored.resize(static_cast<std::size_t>(n));
        std::ofstream(kProgressFile, std::ios::binary) << stored;
        fe->storedProgress = stored;
    }
    fe->own = std::make_unique<Program>(*fe, gameScreens(), kProgressFile);
    fe->own->scheduler().setPace(kPlayersPace);
    fe->newControls();
    fe->resync();
    fe->own->showMenu();
}

// Whether the page has started the game (since it loaded), and whether its screen stands paused.
EMSCRIPTEN_KEEPALIVE int sky_started() {
    return fe ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int sky_paused() {
    const GameScreen* s = fe && fe->program() ? fe->program()->screen() : nullptr;
    return s ? (s->paused() ? 1 : 0) : -1;
}

// How long the page may sleep with no display frames: 0 while a screen is open, a box waits or the
// menu is still to be activated, else the time to the next timer in ms (a minute at most).
EMSCRIPTEN_KEEPALIVE int sky_idle_ms() {
    constexpr Micros kMost = 60000;
    if (!fe || !fe->program() || fe->program()->ended()) return kMost;
    if (fe->program()->screen() || fe->activatePending || fe->boxes || fe->watch) return 0;
    const Scheduler& clock = fe->program()->scheduler();
    const Micros next = clock.nextFireAt();
    return static_cast<int>(next == Scheduler::kNever ? kMost
                                                      : std::clamp<Micros>((next - clock.now()) / 1000, 0, kMost));
}

// One display frame: a pending menu activation, then the clock moved on by the real time
// since the last frame (slept: the page slept on purpose since). Returns 1 when the picture may
// have changed (with smooth motion, on every frame of a running game).
EMSCRIPTEN_KEEPALIVE int sky_frame(int slept) {
    if (fe && fe->watch) backWhenFree();
    if (!fe || !fe->program() || fe->program()->ended()) return 0;
    if (fe->activatePending && fe->menuShown) {
        fe->activatePending = false;
        fe->input(event(InputEvent::Activate));
    }
    fe->step(slept != 0);
    fe->perform(fe->controls->poll(std::llround(js_now())));
    const std::uint64_t runs = fe->program()->scheduler().handlerRuns();
    const GameScreen* s = fe->program()->screen();
    const bool sliding = s && !s->paused() && fe->motionMode != SceneMotion::Mode::Ticks;
    const bool changed = runs != fe->paintedRuns || fe->sceneChanged || sliding;
    fe->paintedRuns = runs;
    fe->sceneChanged = false;
    return changed ? 1 : 0;
}

// The page's inputs.
// Where the page writes a control's name for sky_click (a click may wait in a message box, so
// the name does not live on the stack).
EMSCRIPTEN_KEEPALIVE char* sky_text() {
    static char text[64];
    return text;
}
// A click on the menu control whose name is in sky_text().
EMSCRIPTEN_KEEPALIVE void sky_click() {
    if (fe) fe->input(event(InputEvent::Click, 0, sky_text()));
}
EMSCRIPTEN_KEEPALIVE void sky_check(int ticked) {
    if (fe) fe->input(event(InputEvent::Check, ticked ? 1 : 0));
}
EMSCRIPTEN_KEEPALIVE void sky_activate() {
    if (fe && fe->menuShown) fe->input(event(InputEvent::Activate));
}
// Where the page writes a key's name (game/keys.h) for sky_press.
EMSCRIPTEN_KEEPALIVE char* sky_key_name() {
    static char name[32];
    return name;
}
// A key went down or up (repeat: the browser says it repeats; ms: the event's time). Returns what
// the page does with it: bits 0-1 the box's part (0 no box, 1 the box's own, 2 never seen, 3
// answered with bits 4-7); bit 8 the game took it; bit 9 full screen switches; bit 10 the help
// page came or went, bit 11 it is shown; bit 12 the watch took it (a recording plays), bit 13
// the viewer leaves the watch. The page has no black box: its key is the browser's.
EMSCRIPTEN_KEEPALIVE int sky_press(int down, int repeat, double ms) {
    if (fe && fe->watch) {
        const replay::WatchAction a = replay::watchActionOfKey(sky_key_name());
        const bool again = repeat && a != replay::WatchAction::Slower && a != replay::WatchAction::Faster;
        if (a != replay::WatchAction::None) return 4096 | (down && !again && watchAct(a) ? 8192 : 0);
    }
    if (!fe || !fe->controls || !fe->program() || fe->program()->ended()) return 0;
    const auto t = static_cast<std::int64_t>(ms);
    const Controls::Outcome o =
        down ? fe->controls->press(sky_key_name(), repeat, t) : fe->controls->release(sky_key_name(), repeat, t);
    fe->perform(o.input);
    return static_cast<int>(o.box) | o.answer << 4 | (o.game && !o.blackBox ? 256 : 0) | (o.fullScreen ? 512 : 0) |
           (o.help ? 1024 : 0) | (fe->controls->helpShown() ? 2048 : 0);
}
// The game's close box.
EMSCRIPTEN_KEEPALIVE void sky_close() {
    if (fe && fe->program() && fe->program()->screen()) fe->input(event(InputEvent::Close));
}
// The page was left (0: hidden, another window) or came back (1): the game pauses meanwhile.
EMSCRIPTEN_KEEPALIVE void sky_focus(int active, double ms) {
    if (fe && fe->controls) fe->perform(fe->controls->focus(active != 0, static_cast<std::int64_t>(ms)));
}
// 0 the about screen's OK, 1 its system information button.
EMSCRIPTEN_KEEPALIVE void sky_about_click(int button) {
    if (!fe || !fe->about) return;
    if (button == 0)
        fe->about->cmdOK_Click();
    else
        fe->about->cmdSysInfo_Click();
}

// A screen variable by name, as scenarios read and set them, or a sprite's NAME.Left or NAME.Top
// (for the page's tests): set when `set` is non-zero; NaN without a screen or such a variable.
EMSCRIPTEN_KEEPALIVE double sky_var(const char* name, int set, double value) {
    GameScreen* s = fe && fe->program() ? fe->program()->screen() : nullptr;
    const std::string_view n(name ? name : "");
    if (const auto dot = n.find('.'); s && dot != n.npos) {
        Sprite* sp = s->findSprite(n.substr(0, dot));
        const std::string_view what = n.substr(dot + 1);
        if (!sp || (what != "Left" && what != "Top")) return std::nan("");
        double& v = what == "Left" ? sp->Left : sp->Top;
        if (set) v = value;
        return v;
    }
    if (!s || !s->hasVar(name)) return std::nan("");
    if (set) s->setVar(name, value);
    return s->getVar(name);
}

// Layout of the menu, the rules and the about screen, as JSON, in the game's language.
EMSCRIPTEN_KEEPALIVE const char* sky_layout() {
    static std::string json;
    json = infoJson();
    return json.c_str();
}

// The game's language: "sk" or "en" (1), anything else leaves it (0). Texts made from now on
// follow it; the page asks for the layout again.
EMSCRIPTEN_KEEPALIVE int sky_language(const char* code) {
    const auto l = parseLanguage(code ? code : "");
    if (l) setLanguage(*l);
    return l ? 1 : 0;
}

// The page's language: the one the player chose on the page (remembered: "sk", "en" or ""), else
// the first of the browser's languages (one a line) that the game speaks, else Slovak. The game
// speaks it from now on; returns its code.
EMSCRIPTEN_KEEPALIVE const char* sky_choose_language(const char* remembered, const char* locales) {
    std::string_view rest(locales ? locales : ""), first;
    while (!rest.empty() && first.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view l = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (parseLanguage(l.substr(0, 2)) && (l.size() == 2 || l[2] == '-' || l[2] == '_')) first = l;
    }
    setLanguage(chooseLanguage(std::nullopt, remembered ? remembered : "", first));
    return languageCode(language());
}

// A text of the catalogue by its name ("Pause", "BoxYes"), in the game's language; "" for none.
EMSCRIPTEN_KEEPALIVE const char* sky_say(const char* name) {
    static std::string said;
    const auto id = textByName(name ? name : "");
    said = id ? text(*id) : "";
    return said.c_str();
}

// The help page of episode 1 or 2 (0: the open screen's) as JSON: {"title", "close", "sections":
// [[heading, column, [[key, text, step]...]]...]}.
EMSCRIPTEN_KEEPALIVE const char* sky_help(int episode) {
    static std::string json;
    const GameScreen* s = fe && fe->program() ? fe->program()->screen() : nullptr;
    if (episode == 0 && s) episode = s->episode();
    const HelpPage page = helpPage(episode == 2 ? 2 : 1);
    std::string sections;
    for (const HelpPage::Section& sec : page.sections) {
        std::string rows;
        for (const HelpPage::Row& r : sec.rows)
            rows += std::string(rows.empty() ? "" : ",") + "[" + jsonText(r.key) + "," + jsonText(r.text) + "," +
                    (r.step ? "1" : "0") + "]";
        sections += std::string(sections.empty() ? "" : ",") + "[" + jsonText(sec.heading) + "," +
                    std::to_string(sec.column) + ",[" + rows + "]]";
    }
    json = "{\"title\":" + jsonText(page.title) + ",\"close\":" + jsonText(page.closeHint) + ",\"sections\":[" +
           sections + "]}";
    return json.c_str();
}

// A picture's pixels: width, height, then RGBA bytes (the see-through white already clear).
EMSCRIPTEN_KEEPALIVE const std::uint8_t* sky_image(int id) {
    auto& [img, clearWhite] = imageTable.images.at(id);
    auto& out = imageTable.rgba;
    out.assign(8, 0);
    std::uint32_t wh[2] = {static_cast<std::uint32_t>(img->width), static_cast<std::uint32_t>(img->height)};
    std::memcpy(out.data(), wh, 8);
    for (Argb p : img->pixels) {
        if (clearWhite && (p & 0xFFFFFFu) == 0xFFFFFFu) p = 0;
        out.insert(out.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), std::uint8_t(p >> 24)});
    }
    return out.data();
}

// The open screen's scene, bottom up, as integers (see page.js), and its captions.
EMSCRIPTEN_KEEPALIVE const std::int32_t* sky_scene() {
    sceneData.clear();
    sceneTexts.clear();
    GameScreen* s = fe && fe->program() ? fe->program()->screen() : nullptr;
    sceneData.push_back(0);  // length
    sceneData.push_back(s && s->paused() ? 1 : 0);
    if (!s) {
        sceneData[0] = static_cast<std::int32_t>(sceneData.size());
        return sceneData.data();
    }
    // Where each element is drawn at this instant: between its last two ticks, or where it stands.
    const DrawList& list = fe->view.at(*s, fe->program()->scheduler().lastFiredAt(), fe->program()->scheduler().now());
    auto picture = [](const Picture& pic, int left, int top) {
        sceneData.insert(sceneData.end(), {1, imageTable.idOf(pic.image, pic.whiteIsTransparent), left, top});
    };
    if (list.background) picture(*list.background, 0, 0);
    int texts = 0;
    for (const DrawEntry& e : list.entries) {
        if (!e.drawn) continue;
        switch (e.kind) {
            case DrawItem::SpriteItem:
                picture(*e.picture, e.ax, e.ay);
                break;
            case DrawItem::ShapeItem: {
                const Shape& sh = s->shapes()[e.index];
                sceneData.insert(sceneData.end(), {2, sh.kind == ShapeKind::Rectangle ? 0 : 1, e.ax, e.ay, e.bx, e.by,
                                                   sh.filled ? 1 : 0, static_cast<std::int32_t>(sh.FillColor),
                                                   sh.bordered ? 1 : 0, static_cast<std::int32_t>(sh.BorderColor)});
                break;
            }
            case DrawItem::LineItem: {
                const Line& ln = s->lines()[e.index];
                sceneData.insert(sceneData.end(), {3, e.ax, e.ay, e.bx, e.by, static_cast<std::int32_t>(ln.BorderColor),
                                                   ln.BorderWidth});
                break;
            }
            case DrawItem::LabelItem: {
                const Label& lb = s->labels()[e.index];
                sceneData.insert(sceneData.end(),
                                 {4, e.ax, e.ay, e.bx, e.by, static_cast<std::int32_t>(lb.ForeColor),
                                  static_cast<std::int32_t>(lb.Alignment),
                                  static_cast<std::int32_t>(std::lround(lb.fontPt * 100)), lb.bold ? 1 : 0, texts++});
                sceneTexts += lb.Caption + '\n';
                break;
            }
        }
    }
    sceneData[0] = static_cast<std::int32_t>(sceneData.size());
    return sceneData.data();
}
EMSCRIPTEN_KEEPALIVE const char* sky_scene_texts() {
    return sceneTexts.c_str();
}

// The program has ended (Ukončiť): it goes once no handler runs.
EMSCRIPTEN_KEEPALIVE void sky_stop() {
    if (fe && fe->own && !fe->watch && fe->own->scheduler().depth() == 0) {
        fe->about.reset();
        fe->own.reset();
    }
}
}
