// Asks for one paint per display frame: at the screen's refresh rate, or about 60 times a second
// on a display that does not tell its rate.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

class QScreen;

namespace sky::qt {

class FramePacer : public QObject {
    Q_OBJECT
public:
    static constexpr double kDefaultHz = 60;

    explicit FramePacer(std::function<void()> frame);
    // The rate of this screen (nullptr, or a screen without a sensible rate: the default).
    void followScreen(const QScreen* screen);
    double rate() const { return 1e9 / periodNs_; }
    void start();
    void stop();
    bool active() const { return active_; }

private:
    void tick();
    void arm();

    std::function<void()> frame_;
    QTimer timer_;
    QElapsedTimer clock_;
    double periodNs_ = 1e9 / kDefaultHz;
    double nextNs_ = 0;
    bool active_ = false;
};

}  // namespace sky::qt
