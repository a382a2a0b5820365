// "Nastavenia": the player's settings in a window of the game's look, opened from the menu. Every
// change takes effect at once (a volume while the slider moves) and is handed on to be kept.
#pragma once

#include <QWidget>
#include <functional>

#include "qt/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace sky::qt {

class KeyBindings;

class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    using Changed = std::function<void(const Settings&)>;
    SettingsWindow(const Settings& current, Changed changed);

    // Shows these settings (changed elsewhere meanwhile: F11, "Zvuky").
    void show(const Settings& s);
    void refresh(const Settings& s) {
        settings_ = s;
        sync();
    }
    const Settings& settings() const { return settings_; }
    KeyBindings* keys() const { return keys_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;  // Esc closes, Enter clicks the focused button

private:
    void sync();
    void change(const std::function<void(Settings&)>& edit);

    Settings settings_;
    Changed changed_;
    bool syncing_ = false;
    QSlider *music_ = nullptr, *effects_ = nullptr;
    QLabel *musicValue_ = nullptr, *effectsValue_ = nullptr;
    QComboBox *language_ = nullptr, *motion_ = nullptr, *scale_ = nullptr, *fill_ = nullptr;
    QCheckBox* fullScreen_ = nullptr;
    QWidget* keysFrame_ = nullptr;
    KeyBindings* keys_ = nullptr;
};

// Opens the one settings window at the scale given for its size at scale 1, or brings it to the front.
SettingsWindow& showSettings(const Settings& current, SettingsWindow::Changed changed,
                             const std::function<int(QSize)>& scaleFor = {});
// Shows these settings in the window if it is open (changed elsewhere: F11, "Zvuky").
void refreshSettings(const Settings& s);
// Closes it (the program is ending).
void closeSettings();

}  // namespace sky::qt
