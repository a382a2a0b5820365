// The main menu's window.
#include "qt/menuwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "game/input.h"
#include "qt/appearance.h"
#include "qt/language.h"
#include "qt/windowscale.h"
#include "shell/menu.h"

namespace sky::qt {

void ClickablePicture::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(e);
}

MenuWindow::MenuWindow(Menu& menu, Input input)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      menu_(menu),
      input_(std::move(input)) {
    setObjectName("menu");
    setWindowTitle(uiText(Menu::kCaption));
    setWindowIcon(cloudIcon());
    setFixedSize(twips(Menu::kClientWidth), twips(Menu::kClientHeight));
    setFont(captionFont());
    // Frames as a plain etched line with the caption sitting on it.
    setStyleSheet(
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 0px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }");

    const auto& table = Menu::layout();
    // Frames first, so the controls inside them find their parent.
    for (const MenuControl& c : table) {
        if (c.kind != MenuControl::Frame) continue;
        auto* f = new QGroupBox(uiText(c.caption), this);
        f->setObjectName(c.name);
        f->setGeometry(twips(c.left), twips(c.top), twips(c.width), twips(c.height));
        controls_[c.name] = f;
    }
    auto parentOf = [this](const MenuControl& c) -> QWidget* {
        if (*c.parent == '\0') return this;
        auto it = controls_.find(c.parent);
        return it != controls_.end() ? it->second : this;
    };
    for (const MenuControl& c : table) {
        QWidget* w = nullptr;
        switch (c.kind) {
            case MenuControl::Frame:
                continue;
            case MenuControl::Button: {
                auto* b = new QPushButton(uiText(c.caption), parentOf(c));
                b->setAutoDefault(false);
                w = b;
                break;
            }
            case MenuControl::Label: {
                auto* l = new QLabel(uiText(c.caption), parentOf(c));
                l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                w = l;
                break;
            }
            case MenuControl::CheckBox:
                w = new QCheckBox(uiText(c.caption), parentOf(c));
                break;
            case MenuControl::Picture: {
                const bool web = findMenuClick(c.name) != nullptr;
                QLabel* l = web ? new ClickablePicture(parentOf(c)) : new QLabel(parentOf(c));
                l->setPixmap(QPixmap::fromImage(artwork(c.picture)));
                l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                w = l;
                break;
            }
        }
        w->setObjectName(c.name);
        w->setGeometry(twips(c.left), twips(c.top), twips(c.width), twips(c.height));
        controls_[c.name] = w;
    }
    // The pictures lie under the buttons and frames they may touch.
    for (const MenuControl& c : table)
        if (c.kind == MenuControl::Picture) controls_[c.name]->lower();

    auto button = [this](const char* n) { return static_cast<QPushButton*>(controls_.at(n)); };
    auto label = [this](const char* n) { return static_cast<QLabel*>(controls_.at(n)); };
    label1_ = label("Label1");
    label2_ = label("Label2");
    label3_ = label("Label3");
    label4_ = label("Label4");
    label5_ = label("Label5");
    command2_ = button("Command2");
    check1_ = static_cast<QCheckBox*>(controls_.at("Check1"));
    check2_ = static_cast<QCheckBox*>(controls_.at("Check2"));
    check2_->setChecked(true);

    label5_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label5_->setFont(captionFont(8.25, true));
    label5_->setToolTip(uiText(TextId::MenuVersionTip));
    label5_->setAttribute(Qt::WA_TranslucentBackground);
    label5_->setAutoFillBackground(false);

    // Tab order as designed: the buttons, then the labels and the music switch.
    QWidget* prev = nullptr;
    for (const char* n : {"Command1", "Command2", "Command3", "Command4", "Command5", "Label1", "Label2", "Label3",
                          "Label4", "Label5", "Check1", "Check2"}) {
        QWidget* w = controls_.at(n);
        if (prev) QWidget::setTabOrder(prev, w);
        prev = w;
    }

    auto click = [this](const char* control) {
        return [this, control] {
            InputEvent e;
            e.kind = InputEvent::Click;
            e.control = control;
            input_(e);
        };
    };
    for (const MenuClick& c : menuClicks()) {
        QWidget* w = controls_.at(c.control);
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            connect(b, &QPushButton::clicked, this, click(c.control));
        } else if (auto* picture = qobject_cast<ClickablePicture*>(w)) {
            connect(picture, &ClickablePicture::clicked, this, click(c.control));
            picture->setCursor(Qt::PointingHandCursor);
        }
    }
    connect(check1_, &QCheckBox::clicked, this, [this](bool ticked) {
        InputEvent e;
        e.kind = InputEvent::Check;
        e.value = ticked ? 1 : 0;
        input_(e);
    });
    connect(check2_, &QCheckBox::clicked, this, [this](bool ticked) {
        if (soundsChanged_) soundsChanged_(ticked);
    });
    sync();
}

void MenuWindow::setSoundSwitch(bool ticked, std::function<void(bool)> changed) {
    check2_->setChecked(ticked);
    soundsChanged_ = std::move(changed);
}

void MenuWindow::setSettingsButton(std::function<void()> open) {
    if (controls_.count("Settings")) return;
    const int k = windowScale(*this);
    setWindowScale(*this, 1);  // placed as designed, then the window is scaled again with it
    auto* b = new QPushButton(uiText(TextId::MenuSettings), this);
    b->setObjectName("Settings");
    b->setAutoDefault(false);
    // Under the switches, in the column of the episodes' frames.
    b->setGeometry(twips(5880), twips(3480), twips(1455), twips(375));
    QWidget::setTabOrder(controls_.at("Command5"), b);
    connect(b, &QPushButton::clicked, this, std::move(open));
    controls_["Settings"] = b;
    b->show();
    setWindowScale(*this, k);
}

namespace {

// A play sign in the game's pixels: a triangle nine pixels high pointing right.
QIcon playIcon() {
    QImage img(9, 9, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 9; ++y)
        for (int x = 2; x <= 2 + std::min(y, 8 - y); ++x) img.setPixel(x, y, qRgb(0x20, 0x20, 0x20));
    return QIcon(QPixmap::fromImage(img));
}

}  // namespace

void MenuWindow::setWatchBest(std::function<void(int episode)> watch) {
    if (watchBest_[0]) return;
    const int k = windowScale(*this);
    setWindowScale(*this, 1);  // placed as designed, then the window is scaled again with it
    // Left of each episode's frame, on the line of its best score.
    const char* frames[] = {"Frame3", "Frame4"};
    for (int i = 0; i < 2; ++i) {
        const QRect frame = controls_.at(frames[i])->geometry();
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("WatchBest%1").arg(i + 1));
        b->setIcon(playIcon());
        b->setIconSize(QSize(9, 9));
        b->setAutoDefault(false);
        b->setToolTip(uiText(TextId::MenuWatchBestTip));
        b->setAccessibleName(uiText(TextId::MenuWatchBest));
        b->setGeometry(frame.left() - 22, frame.top() + twips(720) - 1, 19, 19);
        connect(b, &QPushButton::clicked, this, [watch, i] { watch(i + 1); });
        b->hide();
        watchBest_[i] = b;
    }
    setWindowScale(*this, k);
}

void MenuWindow::setBestRunKept(int episode, bool kept) {
    if (episode >= 1 && episode <= 2 && watchBest_[episode - 1]) watchBest_[episode - 1]->setVisible(kept);
}

QWidget* MenuWindow::control(const std::string& name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void MenuWindow::sync() {
    label1_->setText(uiText(menu_.Label1));
    label2_->setText(uiText(menu_.Label2));
    label3_->setText(uiText(menu_.Label3));
    label4_->setText(uiText(menu_.Label4));
    label5_->setText(uiText(menu_.Label5));
    command2_->setEnabled(menu_.Command2Enabled);
    const QSignalBlocker quiet(check1_);
    check1_->setChecked(menu_.Check1Value == 1);
}

void MenuWindow::keyPressEvent(QKeyEvent* e) {
    if (!clickFocusedOnEnter(*this, e)) QWidget::keyPressEvent(e);
}

void MenuWindow::closeEvent(QCloseEvent* e) {
    // Closing the menu is never refused: it writes the progress file and ends the program.
    InputEvent ev;
    ev.kind = InputEvent::MenuClose;
    input_(ev);
    e->accept();
}

}  // namespace sky::qt
