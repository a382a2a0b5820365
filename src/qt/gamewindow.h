// The window of a game screen (either episode): shows the scene, hands keys and the close box
// to the screen's handlers.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace sky {
class GameScreen;
}

namespace sky::qt {

class ScenePainter;

class GameWindow : public QWidget {
    Q_OBJECT
public:
    // Calls into the game go through `call`, so the front end can tidy up after every handler.
    GameWindow(GameScreen& screen, ScenePainter& painter, int scale, std::function<void(std::function<void()>)> call);
    ~GameWindow() override;

    // The screen has closed: the window no longer touches it (it is freed soon after).
    void detach() { screen_ = nullptr; }
    GameScreen* screen() const { return screen_; }
    int scale() const { return scale_; }

    // The key code the game's key handler expects for a Qt key.
    static int keyCode(int qtKey);

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other

private:
    GameScreen* screen_;
    ScenePainter& painter_;
    int scale_;
    std::function<void(std::function<void()>)> call_;
    QImage frame_;
};

}  // namespace sky::qt
