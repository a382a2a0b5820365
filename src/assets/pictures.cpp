// The catalogue of the game's pictures: each design name with its art, painted once on first use.
#include "assets/pictures.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "assets/art/airport.h"
#include "assets/art/dravik.h"
#include "assets/art/enemy.h"
#include "assets/art/explosion.h"
#include "assets/art/houses.h"
#include "assets/art/icons.h"
#include "assets/art/landscape.h"
#include "assets/art/palette.h"
#include "assets/art/weapons.h"
#include "assets/paintkit.h"
#include "assets/pixelart.h"

namespace sky::assets {

namespace {

constexpr Argb kSeeThrough = 0xFFFFFFFF;  // sprites: white is not drawn
constexpr Argb kClear = 0x00000000;       // icons: alpha 0

const Palette& palette() {
    static const Palette p{art::kInks};
    return p;
}

struct Entry {
    std::string_view name;
    bool icon;
    std::function<Image()> draw;
};

std::function<Image()> sprite(std::string_view name, std::string_view art) {
    return [=] { return paint(art, palette(), kSeeThrough, name); };
}

// The picture `art` with its first rows replaced by `top` (a second frame that differs only there).
std::string withTopRows(std::string_view art, std::string_view top) {
    auto lines = [](std::string_view t) {
        std::vector<std::string_view> out;
        while (!t.empty()) {
            auto nl = t.find('\n');
            std::string_view line = t.substr(0, nl);
            if (!line.empty()) out.push_back(line);
            t = nl == std::string_view::npos ? std::string_view{} : t.substr(nl + 1);
        }
        return out;
    };
    std::vector<std::string_view> rows = lines(art), head = lines(top);
    std::string out = "\n";
    for (std::size_t i = 0; i < rows.size(); ++i) (out += i < head.size() ? head[i] : rows[i]) += '\n';
    return out;
}

std::function<Image()> icon(std::string_view name, std::string_view art) {
    return [=] { return paint(art, palette(), kClear, name); };
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = {
        {"hn", false, sprite("hn", art::hn)},
        {"hh1", false, sprite("hh1", art::hh1)},
        {"hh2", false, sprite("hh2", art::hh2)},
        {"hh3", false, sprite("hh3", art::hh3)},
        {"hd1", false, sprite("hd1", art::hd1)},
        {"hd2", false, sprite("hd2", art::hd2)},
        {"hd3", false, sprite("hd3", art::hd3)},
        {"l1", false, sprite("l1", art::l1)},
        {"l2", false, [] { return paint(withTopRows(art::l1, art::l2Top), palette(), kSeeThrough, "l2"); }},
        {"d1", false, sprite("d1", art::d1)},
        {"d2", false, sprite("d2", art::d2)},
        {"d3", false, sprite("d3", art::d3)},
        {"d4", false, sprite("d4", art::d4)},
        {"d5", false, sprite("d5", art::d5)},
        {"d6", false, sprite("d6", art::d6)},
        {"s1", false, sprite("s1", art::s1)},
        {"s2", false, sprite("s2", art::s2)},
        {"s3", false, sprite("s3", art::s3)},
        {"v", false, sprite("v", art::v)},
        {"b1", false, sprite("b1", art::b1)},
        {"b2", false, sprite("b2", art::b2)},
        {"bomba", false, sprite("bomba", art::bomba)},
        {"raketa", false, sprite("raketa", art::raketa)},
        {"raketa2", false, sprite("raketa2", art::raketa2)},
        {"vy1", false, sprite("vy1", art::vy1)},
        {"vy2", false, sprite("vy2", art::vy2)},
        {"vy3", false, sprite("vy3", art::vy3)},
        {"vy4", false, sprite("vy4", art::vy4)},
        {"vy5", false, sprite("vy5", art::vy5)},
        {"vy6", false, sprite("vy6", art::vy6)},
        {"m1", false, sprite("m1", art::lighthouse)},
        {"m2", false,
         [] {
             return paint(art::lighthouse, palette().with({{'L', art::kLampRed}}), kSeeThrough, "m2");
         }},
        {"f16", false, sprite("f16", art::f16)},
        {"bg1", false, drawCountryside},
        {"bg2", false, drawCoast},
        {"ioblak", true, icon("ioblak", art::ioblak)},
        {"cloud2", true, icon("cloud2", art::cloud2)},
        {"cloud3", true, icon("cloud3", art::cloud3)},
        {"emblem", true, icon("emblem", art::emblem)},
        {"banner", false, drawBanner},
        {"webbutton", false, drawWebButton},
        {"rules", false, drawRulesPaper},
    };
    return table;
}

const Entry* find(std::string_view name) {
    for (const Entry& e : entries())
        if (e.name == name) return &e;
    return nullptr;
}

}  // namespace

std::shared_ptr<const Image> image(std::string_view name) {
    const Entry* entry = find(name);
    if (!entry) return nullptr;
    static std::mutex mutex;
    static std::vector<std::shared_ptr<const Image>> cache(entries().size());
    std::size_t index = static_cast<std::size_t>(entry - entries().data());
    std::lock_guard lock(mutex);
    if (!cache[index]) cache[index] = std::make_shared<const Image>(entry->draw());
    return cache[index];
}

const std::vector<std::string_view>& names() {
    static const std::vector<std::string_view> all = [] {
        std::vector<std::string_view> list;
        for (const Entry& e : entries()) list.push_back(e.name);
        return list;
    }();
    return all;
}

bool isIcon(std::string_view name) {
    const Entry* entry = find(name);
    return entry && entry->icon;
}

}  // namespace sky::assets
