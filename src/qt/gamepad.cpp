// Gamepads through SDL's game controller part, loaded when the game starts.
#include "qt/gamepad.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "qt/gamewindow.h"

#ifdef SKY_HAVE_SDL
#include <SDL.h>
#include <dlfcn.h>
#endif

namespace sky::qt {

namespace {

constexpr int kPollMs = 10;          // while a controller is plugged in
constexpr int kIdlePollMs = 250;     // listening for one to be plugged in
constexpr int kRepeatDelay = 30;     // polls before a held direction repeats, as a held key does
constexpr int kRepeatEvery = 5;      // then one repeat every this many polls
constexpr int kStickPress = 16000;   // how far the stick goes over before it counts as pressed
constexpr int kStickRelease = 8000;  // and back before it counts as let go

#ifdef SKY_HAVE_SDL
// The handful of SDL's functions the game uses, from the library found at run time.
struct Sdl {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_PollEvent) PollEvent = nullptr;
    decltype(&SDL_GameControllerOpen) Open = nullptr;
    decltype(&SDL_GameControllerClose) Close = nullptr;
    decltype(&SDL_GameControllerGetJoystick) Joystick = nullptr;
    decltype(&SDL_JoystickInstanceID) InstanceId = nullptr;

    static const Sdl* get() {
        static const Sdl* loaded = []() -> const Sdl* {
            void* lib = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
            if (!lib) return nullptr;
            static Sdl s;
            bool all = true;
            auto load = [&](auto& f, const char* name) {
                f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(::dlsym(lib, name));
                all = all && f;
            };
            load(s.SetHint, "SDL_SetHint");
            load(s.InitSubSystem, "SDL_InitSubSystem");
            load(s.QuitSubSystem, "SDL_QuitSubSystem");
            load(s.PollEvent, "SDL_PollEvent");
            load(s.Open, "SDL_GameControllerOpen");
            load(s.Close, "SDL_GameControllerClose");
            load(s.Joystick, "SDL_GameControllerGetJoystick");
            load(s.InstanceId, "SDL_JoystickInstanceID");
            return all ? &s : nullptr;  // the library stays loaded to the end
        }();
        return loaded;
    }
};
#endif

}  // namespace

Gamepad::Gamepad() {
    connect(&timer_, &QTimer::timeout, this, &Gamepad::poll);
#ifdef SKY_HAVE_SDL
    const Sdl* sdl = Sdl::get();
    if (!sdl) return;
    // The game has its own signal handling, and no SDL window to have the focus.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl->SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (sdl->InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
    listening_ = true;
    timer_.start(kIdlePollMs);  // the controllers already plugged in come as plug-in events
#endif
}

Gamepad::~Gamepad() {
#ifdef SKY_HAVE_SDL
    if (!listening_) return;
    const Sdl* sdl = Sdl::get();
    for (auto& [id, c] : open_) sdl->Close(static_cast<SDL_GameController*>(c));
    sdl->QuitSubSystem(SDL_INIT_GAMECONTROLLER);
#endif
}

int Gamepad::defaultKey(Button b) {
    static constexpr int keys[kButtons] = {Qt::Key_Up,    Qt::Key_Down, Qt::Key_Left,   Qt::Key_Right,
                                           Qt::Key_Space, Qt::Key_P,    Qt::Key_Escape, Qt::Key_F1};
    return keys[b];
}

void Gamepad::poll() {
#ifdef SKY_HAVE_SDL
    if (!listening_) return;
    const Sdl* sdl = Sdl::get();
    SDL_Event e;
    while (sdl->PollEvent(&e)) {
        switch (e.type) {
            case SDL_CONTROLLERDEVICEADDED:
                if (SDL_GameController* c = sdl->Open(e.cdevice.which)) {
                    const int id = sdl->InstanceId(sdl->Joystick(c));
                    if (open_.count(id))
                        sdl->Close(c);  // told twice: it holds one reference
                    else
                        open_[id] = c;
                }
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                if (auto it = open_.find(e.cdevice.which); it != open_.end()) {
                    sdl->Close(static_cast<SDL_GameController*>(it->second));
                    open_.erase(it);
                    // Whatever it held is let go.
                    stick_ = {};
                    for (int b = 0; b < kButtons; ++b)
                        if (down_[b]) press(static_cast<Button>(b), false, false);
                }
                break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP: {
                const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
                switch (e.cbutton.button) {
                    case SDL_CONTROLLER_BUTTON_DPAD_UP:
                        press(Up, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
                        press(Down, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
                        press(Left, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
                        press(Right, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_A:
                        press(Fire, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_START:
                        press(Pause, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_BACK:
                        press(Leave, down, false);
                        break;
                    case SDL_CONTROLLER_BUTTON_GUIDE:
                    case SDL_CONTROLLER_BUTTON_Y:
                        press(Help, down, false);
                        break;
                    default:
                        break;
                }
                break;
            }
            case SDL_CONTROLLERAXISMOTION:
                if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                    stick(e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? 0 : 1, e.caxis.value);
                break;
            default:
                break;
        }
    }
    const int every = open_.empty() ? kIdlePollMs : kPollMs;
    if (timer_.interval() != every) timer_.start(every);
    // A held direction repeats, as a held arrow key does.
    const bool held = down_[Up] || down_[Down] || down_[Left] || down_[Right];
    if (held && --repeatAfter_ <= 0) {
        repeatAfter_ = kRepeatEvery;
        for (Button b : {Up, Down, Left, Right})
            if (down_[b]) press(b, true, true);
    }
#endif
}

void Gamepad::stick(int axis, int value) {
    // Past the press mark it points that way; it lets go only well back towards the middle.
    int& at = stick_[axis];
    const int was = at;
    if (value > kStickPress)
        at = 1;
    else if (value < -kStickPress)
        at = -1;
    else if (value > -kStickRelease && value < kStickRelease)
        at = 0;
    if (at == was) return;
    const Button minus = axis == 0 ? Left : Up, plus = axis == 0 ? Right : Down;
    if (was != 0) press(was < 0 ? minus : plus, false, false);
    if (at != 0) press(at < 0 ? minus : plus, true, false);
}

void Gamepad::press(Button b, bool down, bool repeat) {
    if (!repeat) {
        if (down_[b] == down) return;
        down_[b] = down;
        if (down) repeatAfter_ = kRepeatDelay;
    }
    QWidget* to = QApplication::focusWidget();
    if (!to) to = QApplication::activeWindow();
    if (!to) return;
    int key = 0;
    if (qobject_cast<GameWindow*>(to->window())) {
        key = keyFor_(b);
    } else {
        // The other windows and the message boxes: the focus moves, A presses, Back closes.
        switch (b) {
            case Up:
            case Left:
                key = Qt::Key_Backtab;
                break;
            case Down:
            case Right:
                key = Qt::Key_Tab;
                break;
            case Fire:
                key = Qt::Key_Space;
                break;
            case Leave:
                key = Qt::Key_Escape;
                break;
            default:
                return;
        }
        if (repeat) return;
    }
    if (key == 0) return;
    // Posted, not sent: a box the key opens runs its own loop, and the controllers must still be
    // heard in it.
    QApplication::postEvent(
        to, new QKeyEvent(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier, QString(), repeat));
}

}  // namespace sky::qt
