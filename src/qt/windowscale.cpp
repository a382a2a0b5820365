// Windows drawn at a whole scale.
#include "qt/windowscale.h"

#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <QWidget>

namespace sky::qt {

namespace {

// Each widget keeps what it was at scale 1 the first time it is scaled.
constexpr const char* kScale = "skyScale";
constexpr const char* kGeometry = "skyGeometry1";
constexpr const char* kFont = "skyFont1";
constexpr const char* kPixmap = "skyPixmap1";
constexpr const char* kStyle = "skyStyle1";

void remember(QWidget& w) {
    if (w.property(kGeometry).isValid()) return;
    w.setProperty(kGeometry, w.isWindow() ? QRect(QPoint(), w.size()) : w.geometry());
    // Every widget's own: a style sheet keeps a window's font from reaching its children.
    w.setProperty(kFont, w.font());
    if (auto* l = qobject_cast<QLabel*>(&w); l && !l->pixmap().isNull()) w.setProperty(kPixmap, l->pixmap());
    if (!w.styleSheet().isEmpty()) w.setProperty(kStyle, w.styleSheet());
}

void apply(QWidget& w, int k) {
    const QRect r = w.property(kGeometry).toRect();
    if (w.isWindow())
        w.setFixedSize(r.size() * k);
    else
        w.setGeometry(QRect(r.topLeft() * k, r.size() * k));
    if (const QVariant f = w.property(kFont); f.isValid()) {
        QFont font = f.value<QFont>();
        if (font.pixelSize() > 0)
            font.setPixelSize(font.pixelSize() * k);
        else
            font.setPointSizeF(font.pointSizeF() * k);
        w.setFont(font);
    }
    if (const QVariant p = w.property(kPixmap); p.isValid()) {
        const QPixmap pixmap = p.value<QPixmap>();
        static_cast<QLabel&>(w).setPixmap(
            k == 1 ? pixmap : pixmap.scaled(pixmap.size() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    if (const QVariant s = w.property(kStyle); s.isValid()) {
        // Every "Npx" becomes N*k px: borders and margins grow with the rest.
        QString style = s.toString();
        static const QRegularExpression px(QStringLiteral("(\\d+)px"));
        QString out;
        qsizetype at = 0;
        for (auto it = px.globalMatch(style); it.hasNext();) {
            const auto m = it.next();
            out += style.mid(at, m.capturedStart() - at) + QString::number(m.captured(1).toInt() * k) + "px";
            at = m.capturedEnd();
        }
        w.setStyleSheet(out + style.mid(at));
    }
}

}  // namespace

void setWindowScale(QWidget& window, int k) {
    k = std::max(1, k);
    if (windowScale(window) == k) return;
    const QList<QWidget*> children = window.findChildren<QWidget*>();
    remember(window);
    for (QWidget* c : children) remember(*c);
    apply(window, k);
    for (QWidget* c : children) apply(*c, k);
    window.setProperty(kScale, k);
    window.update();
}

int windowScale(const QWidget& window) {
    const QVariant k = window.property(kScale);
    return k.isValid() ? k.toInt() : 1;
}

}  // namespace sky::qt
