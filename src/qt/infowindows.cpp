// The rules and about windows on Qt: the screens' layouts drawn as designed, the about buttons wired.
#include "qt/infowindows.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <cmath>

#include <QKeyEvent>

#include "qt/appearance.h"
#include "qt/language.h"
#include "qt/qtfrontend.h"
#include "qt/windowscale.h"
#include "shell/about.h"
#include "shell/frontend.h"
#include "shell/pravidla.h"
#include "shell/program.h"
#include "shell/registry.h"

namespace sky::qt {

namespace {

constexpr Qt::WindowFlags kFixedBorder =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
constexpr QRgb kPlaceholderGrey = 0xFFC0C0C0;  // shown where a picture is not drawn yet

int px(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect box(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QColor colour(Rgb c) {
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

// The design font, one pixel smaller at a time until the wrapped text fits inside its box:
// DejaVu Sans runs wider than the face the boxes were measured for.
QFont fittedFont(const InfoLabel& l, const QString& text) {
    QFont f = captionFont(l.font.points, l.font.bold);
    const QRect r = box(l.left, l.top, l.width, l.height);
    for (int size = f.pixelSize(); size > 6; --size) {
        f.setPixelSize(size);
        const QRect need = QFontMetrics(f).boundingRect(QRect(0, 0, r.width(), 10000), Qt::TextWordWrap, text);
        if (need.width() <= r.width() && need.height() <= r.height()) break;
    }
    return f;
}

QLabel* makeLabel(QWidget* parent, const InfoLabel& l, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(l.name));
    label->setGeometry(box(l.left, l.top, l.width, l.height));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    label->setFont(fittedFont(l, text));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour(l.color));
    label->setPalette(p);
    label->setAutoFillBackground(false);  // transparent: the window's picture shows through
    return label;
}

void drawLines(QPainter& p, const std::vector<InfoLine>& lines) {
    for (const InfoLine& l : lines) {
        QPen pen(colour(l.color));
        pen.setWidth(l.widthPixels);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(px(l.x1), px(l.y1), px(l.x2), px(l.y2));
    }
}

QImage pictureOrPlaceholder(const char* name, QSize placeholderSize) {
    QImage img = artwork(name);
    if (img.isNull()) {
        img = QImage(placeholderSize, QImage::Format_RGB32);
        img.fill(kPlaceholderGrey);
    }
    return img;
}

void bringToFront(QWidget& w) {
    w.show();
    w.raise();
    w.activateWindow();
}

// Esc closes the window; Enter clicks the button that has the focus.
bool closeOnEsc(QWidget& w, QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        w.close();
        return true;
    }
    return clickFocusedOnEnter(w, e);
}

// The rules screen: nothing but its text over the background picture.
class RulesWindow : public QWidget {
public:
    RulesWindow() : QWidget(nullptr, Qt::Window | kFixedBorder) {
        setObjectName("pravidla");
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(uiText(Pravidla::kCaption));
        setWindowIcon(cloudIcon());
        setFixedSize(px(Pravidla::kClientWidth), px(Pravidla::kClientHeight));
        background_ = pictureOrPlaceholder(Pravidla::kBackground, size());
        for (const InfoLabel& l : Pravidla::labels()) makeLabel(this, l, uiText(l.text));
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!closeOnEsc(*this, e)) QWidget::keyPressEvent(e);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.scale(windowScale(*this), windowScale(*this));
        // Unscaled at the top-left; the part beyond the client area is cut off.
        p.drawImage(0, 0, background_);
        drawLines(p, Pravidla::lines());
    }

private:
    QImage background_;
};

// The about screen: version and maker, OK and the system information tool.
class AboutWindow : public QWidget {
public:
    explicit AboutWindow(Program& program)
        : QWidget(nullptr, Qt::Dialog | kFixedBorder),
          frontEnd_(dynamic_cast<QtFrontEnd*>(&program.frontEnd())),
          about_(program.frontEnd(), systemRegistry(), systemLauncher()) {
        setObjectName("about");
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(uiText(About::kCaption));
        setWindowIcon(windowIcon());
        setFixedSize(px(About::kClientWidth), px(About::kClientHeight));
        about_.closeWindow = [this] { close(); };
        about_.Form_Load();

        for (const InfoPicture& pic : About::pictures()) {
            const QRect r = box(pic.left, pic.top, pic.width, pic.height);
            pictures_.push_back({r, pictureOrPlaceholder(pic.picture, r.size())});
        }
        // Buttons first, in tab order: OK takes the focus when the window opens.
        for (const InfoButton& b : About::buttons()) {
            auto* button = new QPushButton(uiText(b.caption), this);
            button->setObjectName(QString::fromUtf8(b.name));
            button->setGeometry(box(b.left, b.top, b.width, b.height));
            button->setFont(captionFont());
            const std::string name = b.name;
            connect(button, &QPushButton::clicked, this, [this, name] {
                if (name == "cmdOK")
                    about_.cmdOK_Click();
                else if (name == "cmdSysInfo") {
                    // Its box is no part of the game: a recording neither keeps nor expects it.
                    {
                        QtFrontEnd::OutsideGame aside(frontEnd_);
                        about_.cmdSysInfo_Click();
                    }
                    // The box's window goes; this one comes back to the front, not the menu.
                    bringToFront(*this);
                }
            });
        }
        for (const InfoLabel& l : About::labels()) {
            const std::string text = std::string(l.name) == "Label1" ? about_.Label1 : sky::text(l.text);
            makeLabel(this, l, uiText(text));
        }
    }

    void focusOk() {
        if (auto* ok = findChild<QPushButton*>("cmdOK")) ok->setFocus();
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!closeOnEsc(*this, e)) QWidget::keyPressEvent(e);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        p.scale(windowScale(*this), windowScale(*this));
        for (const auto& [r, img] : pictures_) {
            // Centred in its box (the icons' boxes leave a small border round them).
            const QPoint at = r.topLeft() + QPoint(std::max(0, (r.width() - img.width()) / 2),
                                                   std::max(0, (r.height() - img.height()) / 2));
            p.drawImage(at, img);
        }
        drawLines(p, About::lines());
    }

private:
    QtFrontEnd* frontEnd_;
    About about_;
    std::vector<std::pair<QRect, QImage>> pictures_;
};

QPointer<RulesWindow> rulesWindow;
QPointer<AboutWindow> aboutWindow;

}  // namespace

void showRules(Program&, const ScaleFor& scaleFor) {
    if (!rulesWindow) {
        rulesWindow = new RulesWindow;
        if (scaleFor) setWindowScale(*rulesWindow, scaleFor(rulesWindow->size()));
        centreOnScreen(*rulesWindow);
    }
    bringToFront(*rulesWindow);
}

void showAbout(Program& program, const ScaleFor& scaleFor) {
    const bool fresh = !aboutWindow;
    if (fresh) {
        aboutWindow = new AboutWindow(program);
        if (scaleFor) setWindowScale(*aboutWindow, scaleFor(aboutWindow->size()));
        centreOnScreen(*aboutWindow);
    }
    bringToFront(*aboutWindow);
    if (fresh) aboutWindow->focusOk();
}

void closeInfoWindows() {
    // The program is ending: the windows go at once, without any closing of their own.
    delete rulesWindow.data();
    delete aboutWindow.data();
}

}  // namespace sky::qt
