// Watching a recording in the game's windows.
#include "qt/watching.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "game/screens.h"
#include "game/watch.h"
#include "playfield/gamescreen.h"
#include "qt/gamewindow.h"
#include "qt/menuwindow.h"
#include "qt/musicplayer.h"
#include "qt/watchbar.h"
#include "qt/windowscale.h"
#include "shell/program.h"

namespace sky::qt {

namespace {

// The watch, the front end that shows its run and the bar. A jump back replaces the run: its
// windows go with their front end, and a new one shows the new run from where it stands.
class Watching : public QObject {
public:
    Watching(const replay::Recording& recording, Options options)
        : watch_(recording, gameScreens()), options_(std::move(options)) {
        options_.openSettings = {};
        options_.watch = {};
        // Drawn at the ticks: the clock runs at the viewer's speed, not with real time.
        options_.motion = SceneMotion::Mode::Ticks;
        options_.music = std::make_shared<MusicPlayer>();
        bar_ = std::make_unique<WatchBar>(watch_, [this](replay::WatchAction a) { act(a); });
        show();
        connect(&follow_, &QTimer::timeout, this, [this] { follow(); });
        follow_.start(100);
    }
    ~Watching() override {
        follow_.stop();
        bar_.reset();
        drop();
    }

private:
    void show() {
        fe_ = std::make_unique<QtFrontEnd>(options_);
        fe_->setPlayer(&watch_.run().player());
        fe_->setWatching({[this](Micros real) {
                              if (boxes_ == 0) watch_.step(real);  // a shown box moves the clock itself
                          },
                          [this](const std::string& key, bool press) { return this->key(key, press); },
                          [this] { leave(); }, [this](int style) { return box(style); }});
        fe_->attach(watch_.run().program());
        QtFrontEnd* fe = fe_.get();
        watch_.run().show(*fe, [fe](const std::function<void()>& h) { fe->call(h); });
        fe_->start(false);
        follow();
    }
    void drop() {
        if (!fe_) return;
        watch_.run().hide();
        fe_->shutdown();
        fe_.reset();
    }
    bool key(const std::string& name, bool press) {
        const replay::WatchAction a = replay::watchActionOfKey(name);
        if (a == replay::WatchAction::None) return false;  // F1, F11 and the rest as in the game
        if (press) act(a);
        return true;
    }
    void act(replay::WatchAction a) {
        if (a == replay::WatchAction::Leave) return leave();
        if (a == replay::WatchAction::Back) {
            // Not from inside the front end that is about to go, nor from inside a box: the rest
            // of the box plays at once and the jump comes after, from where the viewer asked.
            if (!jumping_) {
                jumpFrom_ = watch_.clock();
                if (boxes_ == 0) QTimer::singleShot(0, this, [this] { jumpBack(); });
            }
            jumping_ = true;
            return;
        }
        watch_.act(a);
        bar_->refresh();
    }
    // The recorded box stays up while its recorded time plays, frame by frame at the viewer's
    // speed, the bar still in use.
    int box(int style) {
        ++boxes_;
        QElapsedTimer real;
        real.start();
        const int answer = watch_.answerBox(style, [this, &real]() -> Micros {
            if (jumping_ || leaving_) return -1;
            QEventLoop frame;
            QTimer::singleShot(kFrameMs, &frame, &QEventLoop::quit);
            frame.exec();
            bar_->refresh();
            const Micros us = real.nsecsElapsed() / 1000;
            real.restart();
            return us;
        });
        if (--boxes_ == 0 && jumping_) QTimer::singleShot(0, this, [this] { jumpBack(); });
        return answer;
    }
    void jumpBack() {
        drop();
        watch_.jumpBack(jumpFrom_);
        show();
        jumping_ = false;
    }
    void leave() {
        if (!leaving_) QTimer::singleShot(0, qApp, [] { QApplication::quit(); });
        leaving_ = true;
    }
    // The bar stands under the window that shows: the game's, else the menu.
    void follow() {
        if (!fe_) return;
        Program& program = watch_.run().program();
        GameWindow* game = program.screen() ? fe_->windowOf(*program.screen()) : nullptr;
        if (game && game->isVisible())
            bar_->follow(game, game->isFullScreen() ? 1 : game->scale());
        else if (MenuWindow* menu = fe_->menuWindow(); menu && menu->isVisible())
            bar_->follow(menu, windowScale(*menu));
        else
            bar_->follow(nullptr, fe_->scaleFor(QSize(GameScreen::kClientWidth, GameScreen::kClientHeight)));
    }

    replay::Watch watch_;
    Options options_;
    std::unique_ptr<QtFrontEnd> fe_;
    std::unique_ptr<WatchBar> bar_;
    QTimer follow_;
    bool jumping_ = false;
    bool leaving_ = false;
    Micros jumpFrom_ = 0;  // the clock when the viewer asked to jump back
    int boxes_ = 0;        // recorded boxes shown now
    static constexpr int kFrameMs = 16;
};

}  // namespace

void watchRecording(const replay::Recording& recording, Options options) {
    // The watch's windows close as it ends, and the game's open after: the application goes on.
    const bool quitOnClose = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    {
        Watching watching(recording, std::move(options));
        QApplication::exec();
    }
    QApplication::setQuitOnLastWindowClosed(quitOnClose);
}

}  // namespace sky::qt
