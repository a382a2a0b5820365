// The main menu's window: real buttons, frames, labels and the music switch placed as designed.
// It decides nothing itself: clicks go to the menu's handlers and the window then shows what
// the menu holds.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

namespace sky {
class Menu;
struct InputEvent;
}  // namespace sky

class QCheckBox;
class QPushButton;

namespace sky::qt {

// A picture that reports a click (the maker's web button).
class ClickablePicture : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class MenuWindow : public QWidget {
    Q_OBJECT
public:
    // Clicks and the close box become inputs for the front end to record and perform.
    using Input = std::function<void(const InputEvent&)>;
    MenuWindow(Menu& menu, Input input);

    // Shows the captions, the episode 2 button and the music tick as the menu holds them.
    void sync();
    // "Zvuky": shown ticked or not; the player's clicks go to changed (a setting of the windows,
    // neither an input of the game nor recorded).
    void setSoundSwitch(bool ticked, std::function<void(bool)> changed);
    // "Nastavenia": a button of the window's own under the switches (Alt+N, or after Ukončiť in
    // the tab order), opening the settings; no part of the game, nor recorded.
    void setSettingsButton(std::function<void()> open);
    QWidget* control(const std::string& name) const;
    // "Pozrieť" beside each episode's best score: plays the run that set it (a control of the
    // window's own, neither an input of the game nor recorded), shown only while one is kept.
    void setWatchBest(std::function<void(int episode)> watch);
    void setBestRunKept(int episode, bool kept);

protected:
    void keyPressEvent(QKeyEvent*) override;  // Enter clicks the focused button
    void closeEvent(QCloseEvent*) override;

private:
    Menu& menu_;
    Input input_;
    std::map<std::string, QWidget*> controls_;
    QLabel *label1_ = nullptr, *label2_ = nullptr, *label3_ = nullptr, *label4_ = nullptr, *label5_ = nullptr;
    QPushButton* command2_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QPushButton* watchBest_[2] = {};
    std::function<void(bool)> soundsChanged_;
};

// Twips, the menu's design unit, to pixels.
constexpr int twips(int t) {
    return t / 15;
}

}  // namespace sky::qt
