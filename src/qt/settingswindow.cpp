// The settings window.
#include "qt/settingswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include "qt/appearance.h"
#include "qt/keybindings.h"
#include "qt/language.h"
#include "qt/scalefit.h"
#include "qt/windowscale.h"

namespace sky::qt {

namespace {

// The layout in pixels at scale 1: sound and picture on the left, the keys on the right.
constexpr int kWidth = 616, kHeight = 281;
constexpr int kRow = 24;       // from one line of a frame to the next
constexpr int kFirstRow = 18;  // the first line under a frame's caption
constexpr int kLabelW = 100, kFieldX = 112, kFieldW = 176;
constexpr int kShownScales = 4;  // 1x to 4x in the list; larger ones through the file

QGroupBox* frame(QWidget* parent, TextId caption, QRect r) {
    auto* f = new QGroupBox(uiText(caption), parent);
    f->setGeometry(r);
    return f;
}

QLabel* caption(QWidget* parent, TextId text, int row) {
    auto* l = new QLabel(uiText(text), parent);
    l->setGeometry(8, kFirstRow + row * kRow, kLabelW, 20);
    return l;
}

// A list of choices, each with the word the settings file keeps for it.
QComboBox* choices(QWidget* parent, const char* name, int row,
                   std::initializer_list<std::pair<TextId, QString>> items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(kFieldX, kFirstRow + row * kRow - 1, kFieldW, 21);
    for (const auto& [text, value] : items) c->addItem(uiText(text), value);
    return c;
}

void select(QComboBox* c, const QString& value) {
    const int i = c->findData(value);
    c->setCurrentIndex(i < 0 ? 0 : i);
}

QString selected(const QComboBox* c) {
    return c->currentData().toString();
}

QPointer<SettingsWindow> settingsWindow;

}  // namespace

SettingsWindow::SettingsWindow(const Settings& current, Changed changed)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(current),
      changed_(std::move(changed)) {
    setObjectName("settings");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(uiText(TextId::SettingsTitle));
    setWindowIcon(cloudIcon());
    setFixedSize(kWidth, kHeight);
    setFont(captionFont());
    // The menu's frames: a plain line with the caption sitting on it.
    setStyleSheet(
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 0px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }");

    QGroupBox* sound = frame(this, TextId::SetSound, QRect(8, 4, 296, 70));
    auto volume = [&](const char* name, TextId text, int row, QLabel*& value) {
        caption(sound, text, row);
        auto* s = new QSlider(Qt::Horizontal, sound);
        s->setObjectName(name);
        s->setRange(0, 100);
        s->setPageStep(10);
        s->setGeometry(kFieldX, kFirstRow + row * kRow, kFieldW - 36, 20);
        value = new QLabel(sound);
        value->setGeometry(kFieldX + kFieldW - 32, kFirstRow + row * kRow, 32, 20);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return s;
    };
    music_ = volume("musicVolume", TextId::MenuMusic, 0, musicValue_);
    effects_ = volume("effectsVolume", TextId::SetEffects, 1, effectsValue_);
    // Heard while the slider moves.
    connect(music_, &QSlider::valueChanged, this, [this](int v) { change([v](Settings& s) { s.musicVolume = v; }); });
    connect(effects_, &QSlider::valueChanged, this,
            [this](int v) { change([v](Settings& s) { s.effectsVolume = v; }); });

    QGroupBox* picture = frame(this, TextId::SetPicture, QRect(8, 80, 296, 160));
    caption(picture, TextId::SetLanguage, 0);
    language_ = choices(picture, "language", 0,
                        {{TextId::SetLangSystem, ""}, {TextId::SetLangSlovak, "sk"}, {TextId::SetLangEnglish, "en"}});
    auto* later = new QLabel(uiText(TextId::SetLater), picture);
    later->setGeometry(kFieldX, kFirstRow + kRow - 3, kFieldW, 16);
    caption(picture, TextId::SetMotion, 2);
    motion_ = choices(picture, "motion", 2, {{TextId::SetSmooth, "smooth"}, {TextId::SetClassic, "classic"}});
    caption(picture, TextId::SetScale, 3);
    scale_ = choices(picture, "scale", 3, {{TextId::SetAuto, "0"}});
    for (int k = 1; k <= kShownScales; ++k) scale_->addItem(QString("%1×").arg(k), QString::number(k));
    fullScreen_ = new QCheckBox(uiText(TextId::SetFullScreen), picture);
    fullScreen_->setObjectName("fullScreen");
    fullScreen_->setGeometry(8, kFirstRow + 4 * kRow, kLabelW, 20);
    fill_ = choices(picture, "fill", 4, {{TextId::SetWhole, "whole"}, {TextId::SetFill, "screen"}});
    auto combo = [this](QComboBox* c, auto edit) {
        connect(c, &QComboBox::currentIndexChanged, this,
                [this, c, edit] { change([c, edit](Settings& s) { edit(s, selected(c)); }); });
    };
    combo(language_, [](Settings& s, const QString& v) { s.language = v; });
    combo(motion_, [](Settings& s, const QString& v) { s.smoothMotion = v == "smooth"; });
    combo(scale_, [](Settings& s, const QString& v) { s.scale = v.toInt(); });
    combo(fill_, [](Settings& s, const QString& v) { s.fillScreen = v == "screen"; });
    connect(fullScreen_, &QCheckBox::toggled, this,
            [this](bool on) { change([on](Settings& s) { s.fullScreen = on; }); });

    keysFrame_ = frame(this, TextId::SetKeys, QRect(312, 4, 296, 236));
    keys_ = new KeyBindings(keysFrame_, [this](const KeyMap& map) { change([&map](Settings& s) { s.keys = map; }); });
    keys_->setGeometry(0, 0, 296, 236);

    auto* defaults = new QPushButton(uiText(TextId::SetDefaults), this);
    defaults->setObjectName("defaults");
    defaults->setGeometry(8, 248, 120, 25);
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, [this] {
        // Everything here back as the game comes; the menu's sound switch stays as it is.
        change([](Settings& s) {
            const bool sounds = s.soundEffects;
            s = Settings();
            s.soundEffects = sounds;
        });
        sync();
    });
    auto* close = new QPushButton(uiText(TextId::SetClose), this);
    close->setObjectName("close");
    close->setGeometry(kWidth - 128, 248, 120, 25);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    sync();
}

void SettingsWindow::show(const Settings& s) {
    refresh(s);
    QWidget::show();
}

void SettingsWindow::sync() {
    syncing_ = true;
    music_->setValue(settings_.musicVolume);
    effects_->setValue(settings_.effectsVolume);
    musicValue_->setText(QString::number(settings_.musicVolume));
    effectsValue_->setText(QString::number(settings_.effectsVolume));
    select(language_, settings_.language);
    select(motion_, settings_.smoothMotion ? "smooth" : "classic");
    if (scale_->findData(QString::number(settings_.scale)) < 0)  // a larger one from the file
        scale_->addItem(QString("%1×").arg(settings_.scale), QString::number(settings_.scale));
    select(scale_, QString::number(settings_.scale));
    fullScreen_->setChecked(settings_.fullScreen);
    select(fill_, settings_.fillScreen ? "screen" : "whole");
    keys_->setMap(settings_.keys);
    syncing_ = false;
}

void SettingsWindow::change(const std::function<void(Settings&)>& edit) {
    if (syncing_) return;
    edit(settings_);
    musicValue_->setText(QString::number(settings_.musicVolume));
    effectsValue_->setText(QString::number(settings_.effectsVolume));
    if (changed_) changed_(settings_);
}

void SettingsWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape)
        close();
    else if (!clickFocusedOnEnter(*this, e))
        QWidget::keyPressEvent(e);
}

SettingsWindow& showSettings(const Settings& current, SettingsWindow::Changed changed,
                             const std::function<int(QSize)>& scaleFor) {
    if (!settingsWindow) {
        settingsWindow = new SettingsWindow(current, std::move(changed));
        if (scaleFor) setWindowScale(*settingsWindow, scaleFor(settingsWindow->size()));
        centreOnScreen(*settingsWindow);
    }
    settingsWindow->show(current);
    settingsWindow->raise();
    settingsWindow->activateWindow();
    return *settingsWindow;
}

void refreshSettings(const Settings& s) {
    if (settingsWindow) settingsWindow->refresh(s);
}

void closeSettings() {
    delete settingsWindow.data();
}

}  // namespace sky::qt
