// The game's windows on Qt.
#include "qt/qtfrontend.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWindow>
#include <chrono>
#include <cstdio>

#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/driver.h"
#include "qt/gamewindow.h"
#include "qt/infowindows.h"
#include "qt/menuwindow.h"
#include "qt/musicplayer.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace sky::qt {

namespace {
// Raises a window where the platform can (the offscreen one used by the tests cannot).
void bringToFront(QWidget& w) {
    if (QGuiApplication::platformName() != "offscreen") w.raise();
}
}  // namespace

QtFrontEnd::QtFrontEnd(Options options) : options_(options) {
    repaint_.setTimerType(Qt::PreciseTimer);
    repaint_.setInterval(16);
    connect(&repaint_, &QTimer::timeout, this, [this] {
        // Paint at most at the display's rate, and only when a handler or an input has run since.
        if (!program_) return;
        const std::uint64_t runs = program_->scheduler().handlerRuns();
        if (runs == paintedRuns_ && !sceneChanged_) return;
        paintedRuns_ = runs;
        sceneChanged_ = false;
        for (auto& [screen, w] : windows_)
            if (w->isVisible()) w->update();
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &QtFrontEnd::focusChanged);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &QtFrontEnd::applicationStateChanged);
    autopauseTimer_.setSingleShot(true);
    autopauseTimer_.setInterval(options_.autopauseDelayMs);
    connect(&autopauseTimer_, &QTimer::timeout, this, &QtFrontEnd::autopauseCheck);
}

QtFrontEnd::~QtFrontEnd() {
    shutdown();
}

void QtFrontEnd::attach(Program& program, std::function<std::int64_t()> clock) {
    program_ = &program;
    driver_ = std::make_unique<Driver>(program, std::move(clock));
    musicPlayer_ = std::make_unique<MusicPlayer>();
    menu_ = std::make_unique<MenuWindow>(program.menu(), [this](const InputEvent& e) { input(e); });
    if (player_) driver_->setAdvance([this](Micros target) { replayAdvance(target); });
}

void QtFrontEnd::setPlayer(InputSource* p) {
    player_ = p;
    if (driver_) driver_->setAdvance([this](Micros target) { replayAdvance(target); });
}

void QtFrontEnd::start() {
    centreOnScreen(*menu_);
    program_->showMenu();
    driver_->start();
    repaint_.start();
}

void QtFrontEnd::shutdown() {
    endRecording();
    autopauseTimer_.stop();
    repaint_.stop();
    if (driver_) driver_->stop();
    probe_.reset();
    for (auto& [screen, w] : windows_) delete w;
    windows_.clear();
    for (auto& w : closing_) delete w.data();
    closing_.clear();
    menu_.reset();
}

void QtFrontEnd::call(const std::function<void()>& handler) {
    handler();
    if (!program_ || program_->ended()) return;
    if (program_->scheduler().depth() == 0 && driver_->openBoxes() == 0) program_->collect();
    if (menu_) menu_->sync();
    sceneChanged_ = true;
    driver_->sleepUntilNextTimer();
}

void QtFrontEnd::input(InputEvent e) {
    if (!program_ || program_->ended()) return;
    if (player_) {
        if (e.kind == InputEvent::MenuClose || e.kind == InputEvent::Close)
            stopReplay("the viewer closed a window");
        else if (menu_)
            menu_->sync();  // a tick the viewer gave the music switch goes back
        return;
    }
    e.t = program_->scheduler().now();
    if (recorder_) recorder_->write(e);
    call([this, &e] { apply(*program_, e); });
}

void QtFrontEnd::pauseKey() {
    GameScreen* s = program_ ? program_->screen() : nullptr;
    if (!s || s->closed() || player_) return;
    InputEvent e;
    e.kind = s->paused() ? InputEvent::Resume : InputEvent::Pause;
    autoPaused_ = false;  // a P pause stays until P
    input(e);
}

void QtFrontEnd::applicationStateChanged(Qt::ApplicationState state) {
    appActive_ = state == Qt::ApplicationActive;
    if (!options_.autopause || player_) return;
    if (!appActive_) {
        autopauseTimer_.start();
        return;
    }
    autopauseTimer_.stop();
    GameScreen* s = program_ ? program_->screen() : nullptr;
    if (autoPaused_ && s && s->paused()) {
        InputEvent e;
        e.kind = InputEvent::Resume;
        e.automatic = true;
        input(e);
    }
    autoPaused_ = false;
}

void QtFrontEnd::autopauseCheck() {
    GameScreen* s = program_ ? program_->screen() : nullptr;
    if (appActive_ || !s || s->closed() || s->paused()) return;
    InputEvent e;
    e.kind = InputEvent::Pause;
    e.automatic = true;
    input(e);
    autoPaused_ = s->paused();
}

void QtFrontEnd::replayAdvance(Micros target) {
    if (!player_ || replayStopping_) return;
    // Past its last event the recording says nothing more: the clock stops there.
    player_->advanceTo(std::min(target, player_->endTime()));
    if (player_->finished() && !program_->ended()) stopReplay(nullptr);
}

void QtFrontEnd::stopReplay(const char* why) {
    if (replayStopping_) return;
    replayStopping_ = true;
    if (why) std::fprintf(stderr, "skyrend: replay stopped before its end: %s\n", why);
    // The last picture stays a moment before the windows go.
    QTimer::singleShot(why ? 0 : 1000, this, [this] {
        closeInfoWindows();
        repaint_.stop();
        if (driver_) driver_->stop();
        QApplication::quit();
    });
}

void QtFrontEnd::endRecording() {
    if (!recorder_ || recordingEnded_ || !program_) return;
    recordingEnded_ = true;
    InputEvent e;
    e.kind = InputEvent::End;
    e.t = program_->scheduler().now();
    recorder_->write(e);
}

GameWindow* QtFrontEnd::windowOf(const GameScreen& s) const {
    auto it = windows_.find(&s);
    return it == windows_.end() ? nullptr : it->second;
}

int QtFrontEnd::messageBox(const std::string& text, const std::string& title, int style) {
    if (outsideGame_ > 0 || !program_) return showBox(text, title, style);
    // A replay does not show the box: its answer and the time it closed are in the recording.
    if (player_) return player_->answerBox(style);
    const Micros opened = program_->scheduler().now();
    const int answer = showBox(text, title, style);
    if (recorder_) {
        InputEvent e;
        e.kind = InputEvent::Answer;
        e.t = program_->scheduler().now();
        e.value = answer;
        e.opened = opened;
        recorder_->write(e);
    }
    return answer;
}

int QtFrontEnd::showBox(const std::string& text, const std::string& title, int style) {
    QWidget* parent = nullptr;
    if (program_ && program_->screen()) parent = windowOf(*program_->screen());
    if (!parent && menu_ && menu_->isVisible()) parent = menu_.get();

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (style == kInformation) icon = QMessageBox::Information;
    if (style == kQuestion) {
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
    }
    QPointer<QMessageBox> box =
        new QMessageBox(icon, QString::fromStdString(title), QString::fromStdString(text), buttons, parent);
    box->setWindowModality(Qt::ApplicationModal);
    if (style == kQuestion) box->setDefaultButton(QMessageBox::Yes);
    int answer = style == kQuestion ? kNo : kOk;
    {
        // The clock runs on while the box is open: the other timers keep firing.
        Driver::NestedLoop running(*driver_);
        const int r = box->exec();
        if (r == QMessageBox::Yes)
            answer = kYes;
        else if (r == QMessageBox::No)
            answer = kNo;
    }
    delete box.data();
    if (driver_->openBoxes() == 0) flushClosedWindows();
    return answer;
}

void QtFrontEnd::music(const std::string& command) {
    if (musicPlayer_) musicPlayer_->command(command);
}

void QtFrontEnd::showMenu() {
    if (!menu_) return;
    menu_->sync();
    menu_->show();
    bringToFront(*menu_);
    menu_->activateWindow();
    // Showing the menu makes it the active window. The window system reports that a little
    // later, or not at all when there is no window manager; whichever comes first activates.
    // A replay activates the menu only when the recording says so.
    if (player_) return;
    QTimer::singleShot(0, this, [this] {
        if (menu_ && menu_->isVisible() && !menuActive_) activateMenu();
    });
}

void QtFrontEnd::hideMenu() {
    menuActive_ = false;
    if (menu_) menu_->hide();
}

void QtFrontEnd::focusChanged(QWindow* w) {
    if (!w || !menu_) return;  // another application took the focus: not a switch inside the game
    if (w == menu_->windowHandle()) {
        if (!menuActive_) activateMenu();
    } else {
        menuActive_ = false;
    }
}

void QtFrontEnd::activateMenu() {
    menuActive_ = true;
    if (!program_ || program_->ended() || player_) return;
    InputEvent e;
    e.kind = InputEvent::Activate;
    input(e);
}

void QtFrontEnd::screenOpened(GameScreen& s) {
    auto* w = new GameWindow(
        s, painter_, options_.scale, [this](const InputEvent& e) { input(e); }, [this] { pauseKey(); });
    windows_[&s] = w;
    centreOnScreen(*w);
    w->show();
    bringToFront(*w);
    w->activateWindow();
    w->setFocus();
    if (driver_) driver_->resync();
    if (options_.debugTicks) {
        // A timer on the same clock with pohyb's interval, started with it: it fires when pohyb does.
        pohybTicks_ = 0;
        realSinceOpen_.start();
        clockAtOpen_ = program_->scheduler().now();
        Timer* pohyb = s.findTimer("pohyb");
        probe_ = std::make_unique<Timer>(program_->scheduler(), "probe", pohyb ? pohyb->interval() : 10, true, 99,
                                         [this, pohyb] {
                                             if (pohyb && pohyb->enabled() && !pohyb->busy()) ++pohybTicks_;
                                         });
    }
}

void QtFrontEnd::screenClosed(GameScreen& s) {
    if (options_.debugTicks) {
        reportTicks(s.name().c_str());
        probe_.reset();
        realSinceOpen_.invalidate();
    }
    autoPaused_ = false;
    auto it = windows_.find(&s);
    if (it == windows_.end()) return;
    GameWindow* w = it->second;
    windows_.erase(it);
    w->detach();
    w->hide();
    // A message box still waiting on this window keeps it until the box returns.
    closing_.push_back(w);
    if (driver_->openBoxes() == 0) flushClosedWindows();
}

void QtFrontEnd::flushClosedWindows() {
    for (auto& w : closing_)
        if (w) w->deleteLater();
    closing_.clear();
}

void QtFrontEnd::showRules() {
    if (program_) sky::qt::showRules(*program_);
}

void QtFrontEnd::showAbout() {
    if (program_) sky::qt::showAbout(*program_);
}

void QtFrontEnd::openUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));  // nothing to say when it fails
}

std::uint64_t QtFrontEnd::clockSeed() {
    if (player_) return player_->nextSeed();
    const auto s = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
    if (recorder_ && program_) {
        InputEvent e;
        e.kind = InputEvent::Seed;
        e.t = program_->scheduler().now();
        e.seed = s;
        recorder_->write(e);
    }
    return s;
}

void QtFrontEnd::quit() {
    endRecording();
    if (options_.debugTicks) reportTicks("exit");
    closeInfoWindows();
    repaint_.stop();
    if (driver_) driver_->stop();
    for (auto& [screen, w] : windows_) w->hide();
    if (menu_) menu_->hide();
    QApplication::quit();
}

void QtFrontEnd::reportTicks(const char* when) {
    if (!driver_) return;
    if (realSinceOpen_.isValid())
        std::fprintf(stderr, "skyrend: %s: pohyb ticks %lld in %.1f ms of clock time, %.1f ms of real time\n", when,
                     pohybTicks_, (program_->scheduler().now() - clockAtOpen_) / 1000.0,
                     realSinceOpen_.nsecsElapsed() / 1e6);
    std::fprintf(stderr, "skyrend: %s: since start %.1f ms of clock time added in %.1f ms of real time (%lld steps)\n",
                 when, driver_->advanced() / 1000.0, driver_->realElapsedNs() / 1e6,
                 static_cast<long long>(driver_->steps()));
}

}  // namespace sky::qt
