// The watch bar: a strip under the window that shows a recording, drawn as the game draws its
// scene (pixel art at the window's scale). Its buttons jump back, pause, and play slower or
// faster; it shows the clock against the recording's length and the keys that do the same.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "game/watch.h"

namespace sky::qt {

class WatchBar : public QWidget {
    Q_OBJECT
public:
    // A click on a button becomes its action.
    WatchBar(replay::Watch& watch, std::function<void(replay::WatchAction)> act);
    ~WatchBar() override;

    // Stands under the given window (its frame included; over its foot when it fills the display),
    // as wide as it, at its scale; or at the top of the screen's middle when there is none.
    void follow(QWidget* window, int scale);
    // Draws what the watch says now; nothing when it has not changed.
    void refresh();
    // The bar's height in scene pixels.
    static constexpr int kHeight = 15;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    struct Button {
        QRect area;  // in scene pixels
        replay::WatchAction action;
    };
    void draw();

    replay::Watch& watch_;
    std::function<void(replay::WatchAction)> act_;
    int scale_ = 1;
    QImage art_;  // the bar at scene size
    std::vector<Button> buttons_;
    QString drawn_;  // what art_ shows, to skip a redraw that changes nothing
};

}  // namespace sky::qt
