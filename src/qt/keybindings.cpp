// The keys in the settings window.
#include "qt/keybindings.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "qt/keyboard.h"
#include "qt/language.h"

namespace sky::qt {

namespace {

std::vector<std::string> filled(const std::array<std::string, KeyMap::kMaxKeys>& keys) {
    std::vector<std::string> out;
    for (const std::string& k : keys)
        if (!k.empty()) out.push_back(k);
    return out;
}

// The layout inside the keys' frame, in pixels at scale 1.
constexpr int kFirstRow = 18, kRow = 21, kLabelW = 110, kPlaceX = 122, kPlaceW = 80;

}  // namespace

BindResult bindKey(KeyMap& map, GameKey action, int place, const std::string& key, bool swap, GameKey* holder) {
    if (action == GameKey::None || place < 0 || place >= static_cast<int>(KeyMap::kMaxKeys)) return BindResult::Refused;
    auto mine = map.binding(action).keys;
    if (key.empty()) {
        // An action keeps one key at least.
        mine[place].clear();
        if (filled(mine).empty()) return BindResult::Refused;
        map.bind(action, filled(mine));
        return BindResult::Bound;
    }
    if (!KeyMap::validName(key)) return BindResult::Refused;
    const GameKey other = map.lookup(key);
    if (other == action) {
        if (mine[place] == key) return BindResult::Unchanged;
        std::swap(mine[0], mine[1]);  // it sat in the other place: they trade
        map.bind(action, filled(mine));
        return BindResult::Bound;
    }
    const std::string old = mine[place];
    auto theirs = other == GameKey::None ? mine : map.binding(other).keys;
    if (other != GameKey::None) {
        if (holder) *holder = other;
        if (!swap) return BindResult::Taken;
        // The other action gets what this place held, where the key was; it is never left keyless.
        for (std::string& k : theirs)
            if (k == key) k = old;
        if (filled(theirs).empty()) return BindResult::Refused;
    }
    mine[place] = key;
    map.bind(action, filled(mine));  // takes the key from the other
    if (other != GameKey::None) map.bind(other, filled(theirs));
    return BindResult::Bound;
}

int qtKey(const std::string& name) {
    if (name.rfind("Qt", 0) == 0) return std::atoi(name.c_str() + 2);
    const QKeySequence s = QKeySequence::fromString(QString::fromStdString(name), QKeySequence::PortableText);
    return s.isEmpty() ? 0 : s[0].key();
}

QString keyText(const std::string& name) {
    const int k = qtKey(name);
    return k ? QKeySequence(k).toString(QKeySequence::NativeText) : QString::fromStdString(name);
}

QString keysText(const KeyMap::Binding& b) {
    QStringList out;
    for (const std::string& name : b.keys) {
        if (name.empty()) continue;
        const int k = qtKey(name);
        const QString portable = QKeySequence(k).toString(QKeySequence::PortableText);
        // A key Qt has no name for keeps the game's.
        const bool named =
            k && keyName(QKeySequence::fromString(portable, QKeySequence::PortableText)[0].key()) == name;
        out << (named ? portable : QString::fromStdString(name));
    }
    return out.join(", ");
}

std::optional<std::vector<std::string>> parseKeys(const QString& text) {
    std::vector<std::string> keys;
    for (const QString& part : text.split(',')) {
        const QString t = part.trimmed();
        std::string name = t.toStdString();
        if (!t.startsWith("Qt")) {
            const QKeySequence s = QKeySequence::fromString(t, QKeySequence::PortableText);
            if (t.isEmpty() || s.count() != 1 || s[0].key() == Qt::Key_unknown || s[0].keyboardModifiers())
                return std::nullopt;
            name = keyName(s[0].key());
        }
        if (!KeyMap::validName(name) || keys.size() == KeyMap::kMaxKeys) return std::nullopt;
        for (const std::string& k : keys)
            if (k == name) return std::nullopt;
        keys.push_back(name);
    }
    return keys;
}

TextId KeyBindings::caption(GameKey action) {
    switch (action) {
        case GameKey::NoseUp:
            return TextId::KeyNoseUp;
        case GameKey::NoseDown:
            return TextId::KeyNoseDown;
        case GameKey::Faster:
            return TextId::KeyFaster;
        case GameKey::Slower:
            return TextId::KeySlower;
        case GameKey::Fire:
            return TextId::KeyFire;
        case GameKey::Pause:
            return TextId::KeyPause;
        case GameKey::Help:
            return TextId::KeyHelp;
        case GameKey::FullScreen:
            return TextId::KeyFullScreen;
        case GameKey::Leave:
            return TextId::KeyLeave;
        case GameKey::BlackBox:
            return TextId::KeyBlackBox;
        case GameKey::None:
            break;
    }
    return TextId::KeyNone;
}

KeyBindings::KeyBindings(QWidget* parent, Changed changed) : QWidget(parent), changed_(std::move(changed)) {
    setObjectName("keys");
    setFocusPolicy(Qt::StrongFocus);
    askSwap_ = [this](const QString& key, GameKey holder) {
        const QString text = uiText(TextId::KeySwap, key.toStdString(), sky::text(caption(holder)));
        return QMessageBox::question(this, uiText(TextId::SettingsTitle), text) == QMessageBox::Yes;
    };
    const auto bindings = map_.bindings();
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const int y = kFirstRow + static_cast<int>(i) * kRow;
        auto* l = new QLabel(uiText(caption(bindings[i].action)), this);
        l->setGeometry(8, y, kLabelW, 20);
        for (std::size_t p = 0; p < KeyMap::kMaxKeys; ++p) {
            auto* b = new QPushButton(this);
            b->setObjectName(QString("%1.%2").arg(gameKeyName(bindings[i].action)).arg(p + 1));
            b->setGeometry(kPlaceX + static_cast<int>(p) * (kPlaceW + 4), y, kPlaceW, 20);
            b->setAutoDefault(false);
            const int index = static_cast<int>(i * KeyMap::kMaxKeys + p);
            connect(b, &QPushButton::clicked, this, [this, index] { wait(index); });
            buttons_[index] = b;
        }
    }
    sync();
}

void KeyBindings::setMap(const KeyMap& map) {
    map_ = map;
    stopWaiting();
}

QPushButton* KeyBindings::button(GameKey action, int place) const {
    const auto bindings = map_.bindings();
    for (std::size_t i = 0; i < bindings.size(); ++i)
        if (bindings[i].action == action) return buttons_[i * KeyMap::kMaxKeys + place];
    return nullptr;
}

void KeyBindings::wait(int index) {
    stopWaiting();
    waitingFor_ = index;
    buttons_[index]->setText(uiText(TextId::KeyPressNow));
    setFocus();
    grabKeyboard();  // the next key is the binding's, whatever has the focus
}

void KeyBindings::stopWaiting() {
    if (waitingFor_ >= 0) releaseKeyboard();
    waitingFor_ = -1;
    sync();
}

void KeyBindings::sync() {
    const auto bindings = map_.bindings();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const std::string& key = bindings[i / KeyMap::kMaxKeys].keys[i % KeyMap::kMaxKeys];
        buttons_[i]->setText(key.empty() ? QStringLiteral("—") : keyText(key));
    }
}

void KeyBindings::keyPressEvent(QKeyEvent* e) {
    if (!waiting()) return QWidget::keyPressEvent(e);
    e->accept();
    if (e->isAutoRepeat()) return;
    const int index = waitingFor_;
    const GameKey action = map_.bindings()[index / KeyMap::kMaxKeys].action;
    const int place = index % KeyMap::kMaxKeys;
    releaseKeyboard();  // a question box may need the keyboard
    BindResult r = BindResult::Unchanged;
    if (e->key() == Qt::Key_Escape) {
        // Esc cancels: the place keeps its key.
    } else if (e->key() == Qt::Key_Delete) {
        r = bindKey(map_, action, place, "", false);
    } else {
        const std::string key = keyName(e->key());
        GameKey holder = GameKey::None;
        r = bindKey(map_, action, place, key, false, &holder);
        if (r == BindResult::Taken && askSwap_(keyText(key), holder)) r = bindKey(map_, action, place, key, true);
    }
    waitingFor_ = -1;
    sync();
    if (r == BindResult::Bound && changed_) changed_(map_);
}

}  // namespace sky::qt
