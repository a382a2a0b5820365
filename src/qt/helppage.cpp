// The help page over a game screen, drawn like the dashboard: black panel, grey border, green
// captions.
#include "qt/helppage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include "game/helppage.h"
#include "playfield/gamescreen.h"
#include "qt/appearance.h"
#include "qt/language.h"

namespace sky::qt {

namespace {

// The dashboard's colours.
const QColor kPanel(0, 0, 0, 225);
const QColor kBorder(128, 128, 128);
const QColor kCaption(0x00, 0xC0, 0x00);
const QColor kValue(0x00, 0xFF, 0x00);
const QColor kText(0xD8, 0xFF, 0xD8);

constexpr int kSceneW = GameScreen::kClientWidth, kSceneH = GameScreen::kClientHeight;
constexpr int kMargin = 14, kTop = 40, kBottom = kSceneH - 30, kGap = 16;
constexpr int kColumnW = (kSceneW - 2 * kMargin - 2 * 10 - kGap) / 2;

using Page = sky::HelpPage;

}  // namespace

namespace {

struct Fonts {
    QFont heading, key, text;
};

Fonts fontsOfSize(int px) {
    Fonts f{captionFont(), captionFont(), captionFont()};
    f.heading.setPixelSize(px + 2);
    f.heading.setBold(true);
    f.key.setPixelSize(px);
    f.key.setBold(true);
    f.text.setPixelSize(px);
    return f;
}

// The width of the key column of a section: its widest key, but not more than a third.
int keyWidth(const Page::Section& s, const Fonts& f) {
    int w = 0;
    for (const auto& r : s.rows)
        if (!r.key.empty()) w = std::max(w, QFontMetrics(f.key).horizontalAdvance(uiText(r.key)) + 6);
    return std::min(w, kColumnW / 3);
}

// Lays out (and, with a painter, draws) one column from the top; returns where it ends.
int layColumn(QPainter* p, const std::vector<Page::Section>& sections, int column, int x, const Fonts& f) {
    int y = kTop;
    for (const auto& s : sections) {
        if (s.column != column) continue;
        const QFontMetrics hm(f.heading);
        if (p) {
            p->setFont(f.heading);
            p->setPen(kValue);
            p->drawText(QRect(x, y, kColumnW, hm.height()), Qt::AlignLeft | Qt::AlignTop, uiText(s.heading));
        }
        y += hm.height() + 1;
        const int kw = keyWidth(s, f);
        for (const auto& r : s.rows) {
            const int tx = !r.key.empty() ? x + kw : x;
            const QRect area(tx, y, x + kColumnW - tx, 10000);
            const QRect need = QFontMetrics(f.text).boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                                 uiText(r.text));
            if (p) {
                if (!r.key.empty()) {
                    p->setFont(f.key);
                    p->setPen(kCaption);
                    p->drawText(QRect(x, y, kw, need.height()), Qt::AlignLeft | Qt::AlignTop,
                                r.step ? uiText(r.key) + '.' : uiText(r.key));
                }
                p->setFont(f.text);
                p->setPen(kText);
                p->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, uiText(r.text));
            }
            y += need.height() + (r.step ? 2 : 0);
        }
        y += 7;
    }
    return y;
}

}  // namespace

void HelpPage::paint(QPainter& p, const QRect& scene, const sky::HelpPage& page) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.translate(scene.topLeft());
    p.scale(scene.width() / double(kSceneW), scene.height() / double(kSceneH));
    p.setClipRect(0, 0, kSceneW, kSceneH);

    p.fillRect(QRect(0, 0, kSceneW, kSceneH), QColor(0, 0, 0, 110));
    const QRect panel(kMargin - 6, 8, kSceneW - 2 * (kMargin - 6), kSceneH - 16);
    p.fillRect(panel, kPanel);
    p.setPen(kBorder);
    p.drawRect(panel.adjusted(0, 0, -1, -1));

    // The largest size at which both columns fit above the closing line.
    const auto& secs = page.sections;
    const int left = kMargin + 10, right = left + kColumnW + kGap;
    int px = 12;
    for (; px > 7; --px) {
        const Fonts f = fontsOfSize(px);
        if (layColumn(nullptr, secs, 0, left, f) <= kBottom && layColumn(nullptr, secs, 1, right, f) <= kBottom) break;
    }
    const Fonts f = fontsOfSize(px);

    QFont titleFont = captionFont();
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(kValue);
    p.drawText(QRect(left, 12, kSceneW - 2 * left, 24), Qt::AlignHCenter | Qt::AlignVCenter, uiText(page.title));
    p.setPen(kBorder);
    p.drawLine(left, kTop - 4, kSceneW - left, kTop - 4);

    layColumn(&p, secs, 0, left, f);
    layColumn(&p, secs, 1, right, f);

    p.setFont(f.key);
    p.setPen(kCaption);
    p.drawText(QRect(left, kBottom + 2, kSceneW - 2 * left, kSceneH - 14 - kBottom),
               Qt::AlignHCenter | Qt::AlignVCenter, uiText(page.closeHint));
    p.restore();
}

}  // namespace sky::qt
