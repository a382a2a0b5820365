// The game's Qt front end, put together from its parts.
#include "qt/qtfrontend.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "game/helppage.h"
#include "playfield/gamescreen.h"
#include "qt/driver.h"
#include "qt/gamewindow.h"
#include "qt/infowindows.h"
#include "qt/keptfiles.h"
#include "qt/keyboard.h"
#include "qt/menuwindow.h"
#include "qt/messagebox.h"
#include "qt/musicplayer.h"
#include "qt/quietaudio.h"
#include "qt/repaint.h"
#include "qt/settingswindow.h"
#include "qt/soundplayer.h"
#include "qt/tickprobe.h"
#include "shell/program.h"

namespace sky::qt {

QtFrontEnd::QtFrontEnd(Options options)
    : options_(options), windows_(painter_, options.scale, [this] { menuActivated(); }) {
    windows_.setFullScreen(options_.fullScreen, options_.fullScreenChanged);
    windows_.setFill(options_.fillScreen);
    // From the start: a key held when the first box opens counts.
    keyboard_ = std::make_unique<Keyboard>(
        [this](const std::string& name, bool press, bool repeat) { return key(name, press, repeat); });
    repaint_ = std::make_unique<RepaintThrottle>(
        [this] { return program_ ? program_->scheduler().handlerRuns() : 0; }, [this] { windows_.updateVisible(); },
        [this] {
            // Smooth motion repaints every frame while a
            // game screen runs; paused, it stands still.
            const GameScreen* s = program_ ? program_->screen() : nullptr;
            return options_.motion != SceneMotion::Mode::Ticks && s && !s->paused();
        });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &QtFrontEnd::applicationStateChanged);
}

QtFrontEnd::~QtFrontEnd() {
    shutdown();
}

void QtFrontEnd::attach(Program& program, std::function<std::int64_t()> clock) {
    program_ = &program;
    driver_ = std::make_unique<Driver>(program, std::move(clock));
    driver_->setFrames(repaint_.get());
    controls_ = std::make_unique<Controls>(program, Controls::Options{options_.autopause, options_.autopauseDelayMs});
    controls_->keyMap() = options_.keys;
    // While the game is away, the automatic pause comes once it has been away long enough.
    driver_->setAfterStep([this] { perform(controls_->poll(nowMs())); });
    musicPlayer_ = options_.music ? options_.music : std::make_shared<MusicPlayer>();
    {
        QuietAudio quiet;
        sounds_ = std::make_unique<SoundPlayer>();
        sounds_->setEnabled(options_.soundEffects);
    }
    setVolumes(options_.musicVolume, options_.effectsVolume);
    if (options_.debugTicks) ticks_ = std::make_unique<TickProbe>(program, *driver_);
    windows_.createMenu(program.menu(), [this](const InputEvent& e) { input(e); });
    windows_.menu()->setSoundSwitch(options_.soundEffects, [this](bool on) { setSoundEffects(on); });
    if (options_.openSettings) windows_.menu()->setSettingsButton(options_.openSettings);
    if (session_.replaying()) driver_->setAdvance([this](Micros target) { replayAdvance(target); });
}

void QtFrontEnd::setPlayer(InputSource* p) {
    session_.setSource(p);
    if (driver_) driver_->setAdvance([this](Micros target) { replayAdvance(target); });
}

void QtFrontEnd::setWatching(Watching w) {
    watching_ = std::move(w);
}

void QtFrontEnd::start(bool showMenu) {
    windows_.centreMenu();
    if (showMenu) program_->showMenu();
    repaint_->start();
    driver_->start();
}

void QtFrontEnd::shutdown() {
    endRecording();
    repaint_->stop();
    if (driver_) driver_->stop();
    ticks_.reset();
    windows_.clear();
    if (sounds_) {
        QuietAudio quiet;
        sounds_.reset();
    }
    // The program may go now: a second shutdown (the destructor's) must not reach it.
    keyboard_.reset();
    program_ = nullptr;
}

void QtFrontEnd::call(const std::function<void()>& handler) {
    handler();
    if (!program_ || program_->ended()) return;
    if (program_->scheduler().depth() == 0 && driver_->openBoxes() == 0) program_->collect();
    windows_.syncMenu();
    if (GameScreen* s = program_->screen())
        if (GameWindow* w = windows_.windowOf(*s)) w->syncOverlay();
    repaint_->sceneChanged();
    driver_->sleepUntilNextTimer();
}

void QtFrontEnd::input(InputEvent e) {
    if (!program_ || program_->ended()) return;
    if (session_.replaying()) {
        if ((e.kind == InputEvent::MenuClose || e.kind == InputEvent::Close) && watching_.closed)
            watching_.closed();
        else if (e.kind == InputEvent::MenuClose || e.kind == InputEvent::Close)
            stopReplay("the viewer closed a window");
        else
            windows_.syncMenu();  // a tick the viewer gave the music switch goes back
        return;
    }
    e.t = program_->scheduler().now();
    session_.record(e, e.t);
    call([this, &e] { apply(*program_, e); });
}

std::int64_t QtFrontEnd::nowMs() const {
    return driver_ ? driver_->nowNs() / 1'000'000 : 0;
}

bool QtFrontEnd::key(const std::string& name, bool press, bool repeat) {
    if (watching_.key && watching_.key(name, press)) return true;
    if (!controls_ || !program_ || program_->ended()) return false;
    const Controls::Outcome o =
        press ? controls_->press(name, repeat, nowMs()) : controls_->release(name, repeat, nowMs());
    switch (o.box) {
        case Controls::Outcome::Ignore:
            return true;
        case Controls::Outcome::Answer:
            answerOpenBox(o.answer);
            return true;
        case Controls::Outcome::Pass:
            return false;
        case Controls::Outcome::NoBox:
            break;
    }
    if (!o.game) return false;
    GameWindow* w = program_->screen() ? windows_.windowOf(*program_->screen()) : nullptr;
    if (w && o.fullScreen) w->toggleFullScreen();
    if (w && o.help)
        w->showHelp(controls_->helpShown() ? std::optional(helpPage(program_->screen()->episode(), options_.keys,
                                                                    keepsBlackBox() ? options_.blackBoxMinutes : 0))
                                           : std::nullopt);
    if (o.blackBox && keepsBlackBox()) {
        const QString said = options_.saveBlackBox();
        if (w) showNotice(*w, said);
    }
    perform(o.input);  // a replay's viewer gives the game no inputs: input() drops them
    return true;
}

void QtFrontEnd::applicationStateChanged(Qt::ApplicationState state) {
    if (!controls_) return;
    controls_->setAutopause(options_.autopause && !session_.replaying());
    perform(controls_->focus(state == Qt::ApplicationActive, nowMs()));
}

void QtFrontEnd::replayAdvance(Micros target) {
    InputSource* player = session_.source();
    if (watching_.advance) return watching_.advance(target - program_->scheduler().now());
    if (!player || session_.stopping()) return;
    // Past its last event the recording says nothing more: the clock stops there.
    player->advanceTo(std::min(target, player->endTime()));
    if (player->finished() && !program_->ended()) stopReplay(nullptr);
}

void QtFrontEnd::stopReplay(const char* why) {
    if (!session_.beginStop(why)) return;
    // The last picture stays a moment before the windows go.
    QTimer::singleShot(why ? 0 : 1000, this, [this] {
        closeInfoWindows();
        closeSettings();
        repaint_->stop();
        if (driver_) driver_->stop();
        QApplication::quit();
    });
}

void QtFrontEnd::endRecording() {
    if (program_) session_.end(program_->scheduler().now());
}

int QtFrontEnd::messageBox(const std::string& text, const std::string& title, int style) {
    const bool game = outsideGame_ == 0 && program_;
    // A replay does not show the box: its answer and the time it closed are in the recording.
    if (game && session_.replaying() && !watching_.box) return session_.source()->answerBox(style);
    // A box of the about window sits over it, not over the menu behind.
    QWidget* parent = game || !QApplication::activeWindow()
                          ? windows_.boxParent(program_ ? program_->screen() : nullptr)
                          : QApplication::activeWindow();
    if (game && session_.replaying()) {
        // Watched, it shows for that time.
        const auto shown = showRecordedBox(parent, text, title, style);
        return watching_.box(style);
    }
    const Micros opened = game ? program_->scheduler().now() : 0;
    const int answer = showMessageBox(parent, text, title, style, *driver_, *controls_);
    if (driver_->openBoxes() == 0) windows_.flushClosed();
    if (game) session_.recordAnswer(answer, opened, program_->scheduler().now());
    return answer;
}

void QtFrontEnd::music(const std::string& command) {
    if (musicPlayer_) musicPlayer_->command(command);
}

void QtFrontEnd::cue(Cue c) {
    // A hit shows for a moment too, unless the player wants the scene as it always was.
    if (c == Cue::Hit && options_.motion != SceneMotion::Mode::Ticks && program_ && program_->screen())
        if (GameWindow* w = windows_.windowOf(*program_->screen())) w->flash();
    if (!sounds_) return;
    QuietAudio quiet;
    sounds_->play(c);
}

void QtFrontEnd::setKeys(const KeyMap& keys) {
    options_.keys = keys;
    if (controls_) controls_->keyMap() = keys;
}

void QtFrontEnd::setVolumes(int music, int effects) {
    options_.musicVolume = music;
    options_.effectsVolume = effects;
    if (musicPlayer_) musicPlayer_->setVolume(music);
    if (sounds_) sounds_->setVolume(effects);
}

void QtFrontEnd::setFullScreen(bool on, bool fill) {
    options_.fullScreen = on;
    options_.fillScreen = fill;
    windows_.setFill(fill);
    windows_.setFullScreen(on, options_.fullScreenChanged);
    // The game window that is open switches now.
    GameWindow* w = program_ && program_->screen() ? windows_.windowOf(*program_->screen()) : nullptr;
    if (w && w->isFullScreen() != on) w->toggleFullScreen();
}

void QtFrontEnd::setSoundEffects(bool on) {
    if (on == options_.soundEffects) return;
    options_.soundEffects = on;
    if (sounds_) {
        QuietAudio quiet;
        sounds_->setEnabled(on);
    }
    if (options_.soundsChanged) options_.soundsChanged(on);
}

double QtFrontEnd::frameRate() const {
    return repaint_->rate();
}

void QtFrontEnd::showMenu() {
    // A replay activates the menu only when the recording says so.
    windows_.showMenu(!session_.replaying());
}

void QtFrontEnd::hideMenu() {
    windows_.hideMenu();
}

void QtFrontEnd::menuActivated() {
    if (!program_ || program_->ended() || session_.replaying()) return;
    InputEvent e;
    e.kind = InputEvent::Activate;
    input(e);
}

void QtFrontEnd::screenOpened(GameScreen& s) {
    SceneClock clock;
    clock.mode = options_.motion;
    if (driver_) {
        clock.now = [this] { return driver_->clockNow(); };
        clock.lastTick = [this] { return program_->scheduler().lastFiredAt(); };
    }
    if (controls_) controls_->screenChanged();
    windows_.open(
        s, [this](const InputEvent& e) { input(e); }, clock);
    if (GameWindow* w = windows_.windowOf(s)) repaint_->followScreen(w->QWidget::screen());
    if (driver_) driver_->resync();
    if (ticks_) ticks_->screenOpened(s);
}

void QtFrontEnd::screenClosed(GameScreen& s) {
    if (ticks_) ticks_->screenClosed(s);
    if (controls_) controls_->screenChanged();
    windows_.close(s, driver_->openBoxes() > 0);
}

void QtFrontEnd::showRules() {
    if (program_) sky::qt::showRules(*program_, [this](QSize w) { return scaleFor(w); });
}

void QtFrontEnd::showAbout() {
    if (program_) sky::qt::showAbout(*program_, [this](QSize w) { return scaleFor(w); });
}

void QtFrontEnd::openUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));  // nothing to say when it fails
}

std::uint64_t QtFrontEnd::clockSeed() {
    return session_.seed(program_ ? program_->scheduler().now() : 0);
}

void QtFrontEnd::quit() {
    endRecording();
    if (ticks_) ticks_->report("exit");
    closeInfoWindows();
    closeSettings();
    repaint_->stop();
    if (driver_) driver_->stop();
    windows_.hideAll();
    QApplication::quit();
}

}  // namespace sky::qt
