// The help page over a game screen, drawn like the dashboard: black panel, grey border, green
// captions.
#include "qt/helppage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

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

const HelpPage::Section keys(int episode) {
    return {"Ovládanie",
            {{"↑  ↓", "nos hore, nos dole – každé stlačenie o jeden stupeň"},
             {"→  ←", episode == 1 ? "rýchlejšie, pomalšie (najmenej 700)" : "rýchlejšie, pomalšie až po zastavenie"},
             {"Medzerník", episode == 1 ? "pustiť bombu" : "odpáliť raketu dopredu"},
             {"P", "pauza"},
             {"F11", "celá obrazovka"},
             {"F1", "táto pomoc"},
             {"Esc", "koniec epizódy, späť do menu"}},
            0};
}

const HelpPage::Section dashboard(int episode) {
    const bool e1 = episode == 1;
    return {"Palubná doska",
            {{"Rýchlosť:", "rýchlosť, najviac 1400 (menej po každom poškodení)"},
             {"Naklonenie:", "náklon nosa, od −4 (dole) po 4 (hore)"},
             {"Palivo:", e1 ? "palivo; ubúda za letu, rýchlejšie pri vyššej rýchlosti; pri nule koniec"
                            : "palivo; ubúda, len keď letíš, rýchlejšie pri vyššej rýchlosti; pri nule koniec"},
             {"Vzdialenosť:", e1 ? "k ďalšiemu letisku" : "k majáku; pod 600 červená"},
             {e1 ? "Level:" : "Záchrany:", e1 ? "level, od 1 po 9" : "záchrany z 10"},
             {"Skóre:", "body"},
             {"Poškodenie:", e1 ? "vtáci v turbíne; tretí je koniec" : "zásahy; tretí je koniec"},
             {e1 ? "Bomby: " : "Rakety: ", e1 ? "bomby v zásobe" : "rakety v zásobe"},
             {"Ukazovateľ", e1 ? "ružová značka ukazuje výšku Dravika nad zemou (zelená)"
                               : "oranžová značka ukazuje výšku Dravika nad zemou (olivová)"}},
            1};
}

}  // namespace

const char* HelpPage::title(int episode) {
    return episode == 1 ? "Pomoc – Epizóda 1" : "Pomoc – Epizóda 2";
}

const char* HelpPage::closeHint() {
    return "F1 alebo Esc – späť do hry";
}

const std::vector<HelpPage::Section>& HelpPage::sections(int episode) {
    static const std::vector<Section> one = {
        keys(1),
        {"Cieľ",
         {{nullptr,
           "Bombarduj domy (1 bod a 20 paliva), zostreľ vtáka bombou (2 body), zbieraj hviezdy (1 bod). "
           "Vták v turbíne ti vezme 300 paliva a 200 z najvyššej rýchlosti; tretí Dravik zrúti. Na konci "
           "každého levelu pristaň na letisku – deviate pristátie vyhráva epizódu."}},
         0},
        {"Bomby",
         {{nullptr,
           "Bomba padá najviac 13 krokov (180 pixelov). Pusti ju, keď je značka výšky na ukazovateli "
           "najviac na druhej čiarke zdola (Dravik do asi 4 a pol svojej výšky nad zemou); z väčšej výšky "
           "zmizne vo vzduchu a dom nezasiahne, vtáka ešte áno. Tesne nad zemou (menej ako 3/4 výšky "
           "Dravika) a na letisku bombu nepustíš. Naraz padajú najviac tri."}},
         0},
        {"Pristátie na letisku",
         {{"1",
           "Keď Vzdialenosť klesne na 1447 (pri rýchlosti 1000 a viac) alebo na 347 (pri menšej), začne sa "
           "pristávanie: Dravik sám brzdí na 500 a šípky vpravo a vľavo nefungujú.",
           true},
          {"2", "Nad letiskom sa Dravik zastaví a visí vo vzduchu, krajina stojí.", true},
          {"3", "Stláčaj šípku dole, kým Dravik nedosadne na zem.", true},
          {"4",
           "Na zemi, ak máš skóre aspoň 40 a poškodenie, ťa hra opýta na opravu: 40 bodov za každé "
           "poškodenie, najviac dve; každá oprava dá 5 bômb a 200 k najvyššej rýchlosti.",
           true},
          {"5",
           "Po 3 sekundách štart: 1500 paliva, 20 bômb, 3 body a ďalší level. Stúpaj šípkou hore (po "
           "sekunde Dravik stúpa aj sám).",
           true}},
         1},
        dashboard(1),
    };
    static const std::vector<Section> two = {
        keys(2),
        {"Cieľ",
         {{nullptr,
           "Zachráň ľudí z desiatich majákov (každá záchrana 2 body a 6 rakiet). Zostreľ F16 raketou "
           "(3 body a 450 paliva) – strieľa po tebe: zásah ti vezme 300 paliva a 200 z najvyššej "
           "rýchlosti, tretí zásah alebo zrážka s F16 ťa zničí. Zbieraj hviezdy (1 bod). Maják, ktorý "
           "preletíš bez záchrany, hru prehráva."}},
         0},
        {"Záchrana pri majáku",
         {{"1", "Vzdialenosť ukazuje, ako ďaleko je maják; pod 600 sčervenie. Spomaľ šípkou vľavo.", true},
          {"2", "Zastav na rýchlosti 0 tak, aby Vzdialenosť bola od −9 do 84: maják je pod Dravikom.", true},
          {"3", "Klesni šípkou dole až k zemi (najviac 11 pixelov nad ňou).", true},
          {"4",
           "Záchrana: 2 body, 6 rakiet a ďalší maják o 500 ďalej. So skóre aspoň 20 a poškodením ťa hra "
           "opýta na opravu (20 bodov za jedno poškodenie, 40 za dve, s raketami navyše).",
           true},
          {"5", "Desiata záchrana vyhráva. Maják, ktorý ti ujde za ľavý okraj, hru prehráva.", true}},
         1},
        dashboard(2),
    };
    return episode == 1 ? one : two;
}

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
int keyWidth(const HelpPage::Section& s, const Fonts& f) {
    int w = 0;
    for (const auto& r : s.rows)
        if (r.key) w = std::max(w, QFontMetrics(f.key).horizontalAdvance(uiText(r.key)) + 6);
    return std::min(w, kColumnW / 3);
}

// Lays out (and, with a painter, draws) one column from the top; returns where it ends.
int layColumn(QPainter* p, const std::vector<HelpPage::Section>& sections, int column, int x, const Fonts& f) {
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
            const int tx = r.key ? x + kw : x;
            const QRect area(tx, y, x + kColumnW - tx, 10000);
            const QRect need = QFontMetrics(f.text).boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                                 uiText(r.text));
            if (p) {
                if (r.key) {
                    p->setFont(f.key);
                    p->setPen(kCaption);
                    p->drawText(QRect(x, y, kw, need.height()), Qt::AlignLeft | Qt::AlignTop,
                                r.step ? QString::fromUtf8(r.key) + '.' : uiText(r.key));
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

void HelpPage::paint(QPainter& p, const QRect& scene, int episode) {
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
    const auto& secs = sections(episode);
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
    p.drawText(QRect(left, 12, kSceneW - 2 * left, 24), Qt::AlignHCenter | Qt::AlignVCenter, uiText(title(episode)));
    p.setPen(kBorder);
    p.drawLine(left, kTop - 4, kSceneW - left, kTop - 4);

    layColumn(&p, secs, 0, left, f);
    layColumn(&p, secs, 1, right, f);

    p.setFont(f.key);
    p.setPen(kCaption);
    p.drawText(QRect(left, kBottom + 2, kSceneW - 2 * left, kSceneH - 14 - kBottom),
               Qt::AlignHCenter | Qt::AlignVCenter, uiText(closeHint()));
    p.restore();
}

}  // namespace sky::qt
