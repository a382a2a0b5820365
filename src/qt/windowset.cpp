// The game's windows.
#include "qt/windowset.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/gamewindow.h"
#include "qt/menuwindow.h"
#include "qt/scalefit.h"
#include "qt/windowscale.h"

namespace sky::qt {

namespace {
// Raises a window where the platform can (the offscreen one used by the tests cannot).
void bringToFront(QWidget& w) {
    if (QGuiApplication::platformName() != "offscreen") w.raise();
}
}  // namespace

WindowSet::WindowSet(ScenePainter& painter, int scale, std::function<void()> menuActivated)
    : painter_(painter), scale_(scale), menuActivated_(std::move(menuActivated)) {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &WindowSet::focusChanged);
}

WindowSet::~WindowSet() {
    clear();
}

void WindowSet::createMenu(Menu& menu, Input input) {
    menu_ = std::make_unique<MenuWindow>(menu, std::move(input));
    setWindowScale(*menu_, scaleFor(menu_->size()));
}

void WindowSet::setScale(int scale) {
    scale_ = scale;
    if (menu_) setWindowScale(*menu_, scaleFor(menu_->size() / windowScale(*menu_)));
}

void WindowSet::setFill(bool on) {
    fill_ = on;
    for (auto& [screen, w] : windows_) w->setFill(on);
}

QSize WindowSet::screenArea() const {
    QScreen* screen = menu_ && menu_->screen() ? menu_->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

int WindowSet::scaleFor(QSize window) const {
    const QSize area = screenArea();
    return area.isEmpty() ? 1 : windowScale(area, frame(), window, fittingScale());
}

void WindowSet::centreMenu() {
    if (menu_) centreOnScreen(*menu_);
}

void WindowSet::syncMenu() {
    if (menu_) menu_->sync();
}

void WindowSet::showMenu(bool activateSoon) {
    if (!menu_) return;
    menu_->sync();
    menu_->show();
    bringToFront(*menu_);
    menu_->activateWindow();
    // Showing the menu makes it the active window. The window system reports that a little
    // later, or not at all when there is no window manager; whichever comes first activates.
    if (!activateSoon) return;
    QTimer::singleShot(0, this, [this] {
        if (menu_ && menu_->isVisible() && !menuActive_) activateMenu();
    });
}

void WindowSet::hideMenu() {
    menuActive_ = false;
    if (menu_) menu_->hide();
}

void WindowSet::focusChanged(QWindow* w) {
    if (!w || !menu_) return;  // another application took the focus: not a switch inside the game
    if (w == menu_->windowHandle()) {
        if (!menuActive_) activateMenu();
    } else {
        menuActive_ = false;
    }
}

void WindowSet::activateMenu() {
    menuActive_ = true;
    if (menuActivated_) menuActivated_();
}

void WindowSet::setFullScreen(bool on, std::function<void(bool)> changed) {
    fullScreen_ = on;
    fullScreenChanged_ = std::move(changed);
}

QSize WindowSet::frame() const {
    // The window system's frame round a window, as it framed the menu (none where it has not).
    if (!menu_) return QSize(0, 0);
    return (menu_->frameGeometry().size() - menu_->size()).expandedTo(QSize(0, 0));
}

int WindowSet::fittingScale() const {
    const QSize free = screenArea();
    if (free.isEmpty()) return std::max(1, scale_);
    const QSize frame = this->frame();
    const ScaleChoice c = chooseScale(free, frame, QSize(GameScreen::kClientWidth, GameScreen::kClientHeight), scale_);
    static bool told = false;
    if (c.reduced && !told) {
        told = true;
        std::fprintf(stderr, "skyrend: scale %d does not fit the screen's %dx%d free pixels; drawing at scale %d\n",
                     scale_, free.width(), free.height(), c.scale);
    }
    return c.scale;
}

void WindowSet::open(GameScreen& s, Input input, const SceneClock& clock) {
    auto* w = new GameWindow(s, painter_, fittingScale(), std::move(input), clock);
    windows_[&s] = w;
    w->setFill(fill_);
    w->onFullScreenChanged([this](bool on) {
        fullScreen_ = on;
        if (fullScreenChanged_) fullScreenChanged_(on);
    });
    centreOnScreen(*w, frame());
    if (fullScreen_) w->toggleFullScreen();
    w->show();
    bringToFront(*w);
    w->activateWindow();
    w->setFocus();
}

void WindowSet::close(const GameScreen& s, bool boxesOpen) {
    auto it = windows_.find(&s);
    if (it == windows_.end()) return;
    GameWindow* w = it->second;
    windows_.erase(it);
    w->detach();
    w->hide();
    // A message box still waiting on this window keeps it until the box returns.
    closing_.push_back(w);
    if (!boxesOpen) flushClosed();
}

void WindowSet::flushClosed() {
    for (auto& w : closing_)
        if (w) w->deleteLater();
    closing_.clear();
}

GameWindow* WindowSet::windowOf(const GameScreen& s) const {
    auto it = windows_.find(&s);
    return it == windows_.end() ? nullptr : it->second;
}

QWidget* WindowSet::boxParent(const GameScreen* open) const {
    QWidget* parent = open ? windowOf(*open) : nullptr;
    if (!parent && menu_ && menu_->isVisible()) parent = menu_.get();
    return parent;
}

void WindowSet::updateVisible() {
    for (auto& [screen, w] : windows_)
        if (w->isVisible()) w->refresh();
}

void WindowSet::hideAll() {
    for (auto& [screen, w] : windows_) w->hide();
    if (menu_) menu_->hide();
}

void WindowSet::clear() {
    for (auto& [screen, w] : windows_) delete w;
    windows_.clear();
    for (auto& w : closing_) delete w.data();
    closing_.clear();
    menu_.reset();
}

}  // namespace sky::qt
