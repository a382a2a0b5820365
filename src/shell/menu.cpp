// The main menu's handlers and layout.
#include "shell/menu.h"

#include "runtime/numtext.h"
#include "shell/program.h"
#include "shell/version.h"

namespace sky {

namespace {
constexpr int kMenuTimerRank = 100;  // after every game-screen timer due at the same instant
}

Menu::Menu(Program& p)
    : Timer1(p.scheduler(), "menu.Timer1", 39750, true, kMenuTimerRank, [this] { Timer1_Timer(); }), program_(p) {}

const std::vector<MenuControl>& Menu::layout() {
    // In tab order first (Command1, Command2, Command3, Command4, Command5, labels, Check1, Check2),
    // then the frames and pictures.
    static const std::vector<MenuControl> controls = {
        {"Command1", MenuControl::Button, "Frame1", TextId::Episode1, nullptr, 240, 480, 1455, 375},
        {"Command2", MenuControl::Button, "Frame1", TextId::Episode2, nullptr, 240, 960, 1455, 375},
        {"Command3", MenuControl::Button, "Frame2", TextId::MenuAbout, nullptr, 240, 960, 1455, 375},
        {"Command4", MenuControl::Button, "Frame2", TextId::MenuRules, nullptr, 240, 480, 1455, 375},
        {"Command5", MenuControl::Button, "", TextId::MenuQuit, nullptr, 2880, 4800, 1455, 375},
        {"Label1", MenuControl::Label, "Frame3", TextId::None, nullptr, 120, 360, 1215, 255},
        {"Label2", MenuControl::Label, "Frame3", TextId::None, nullptr, 120, 720, 1215, 255},
        {"Label3", MenuControl::Label, "Frame4", TextId::None, nullptr, 120, 360, 1215, 255},
        {"Label4", MenuControl::Label, "Frame4", TextId::None, nullptr, 120, 720, 1215, 255},
        {"Label5", MenuControl::Label, "", TextId::None, nullptr, 6600, 5640, 735, 255},
        {"Check1", MenuControl::CheckBox, "", TextId::MenuMusic, nullptr, 6120, 2760, 1095, 255},
        // The sound effects: a switch of the window's own, no part of the game or its progress.
        {"Check2", MenuControl::CheckBox, "", TextId::MenuSounds, nullptr, 6120, 3000, 1095, 255},
        {"Frame1", MenuControl::Frame, "", TextId::MenuGame, nullptr, 2640, 1200, 1935, 1575},
        {"Frame2", MenuControl::Frame, "", TextId::MenuInfo, nullptr, 2640, 3000, 1935, 1575},
        {"Frame3", MenuControl::Frame, "", TextId::Episode1, nullptr, 5880, 120, 1455, 1095},
        {"Frame4", MenuControl::Frame, "", TextId::Episode2, nullptr, 5880, 1440, 1455, 1095},
        {"Image2", MenuControl::Picture, "", TextId::None, "banner", 1920, 360, 3495, 510},
        {"Image1", MenuControl::Picture, "", TextId::None, "webbutton", 0, 5400, 1320, 465},
        // Cloud decorations, three designs.
        {"Image3", MenuControl::Picture, "", TextId::None, "ioblak", 480, 2280, 480, 480},
        {"Image4", MenuControl::Picture, "", TextId::None, "cloud2", 1440, 4080, 480, 480},
        {"Image5", MenuControl::Picture, "", TextId::None, "cloud3", 6360, 3240, 480, 480},
        {"Image6", MenuControl::Picture, "", TextId::None, "cloud2", 1920, 1320, 480, 480},
        {"Image7", MenuControl::Picture, "", TextId::None, "ioblak", 5640, 4440, 480, 480},
        {"Image8", MenuControl::Picture, "", TextId::None, "cloud3", 3960, 5280, 480, 480},
        {"Image9", MenuControl::Picture, "", TextId::None, "ioblak", 4920, 840, 480, 480},
        {"Image10", MenuControl::Picture, "", TextId::None, "cloud3", 960, 480, 480, 480},
        {"Image11", MenuControl::Picture, "", TextId::None, "cloud2", 4680, 2640, 480, 480},
    };
    return controls;
}

std::string Menu::version() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + std::to_string(kVersionRevision);
}

void Menu::readProgressFile() {
    program_.progressStore().load(program_.progress());
}

void Menu::Form_Activate() {
    Modul1& m = program_.modul1();
    GameProgress& g = m.progress;
    // 1-3. The progress file is read once per run, at the first activation.
    if (!m.progressLoaded) {
        readProgressFile();
        m.progressLoaded = 1;
    }
    // 4. Episode 2 is open once unlocked.
    Command2Enabled = lower(g.ep2Unlocked) == "true";
    // 5-6. Status labels.
    Label1 = text(g.ep1Passed == 1 ? TextId::MenuPassed : TextId::MenuNotPassed);
    Label3 = text(g.ep2Passed == 1 ? TextId::MenuPassed : TextId::MenuNotPassed);
    Label2 = text(TextId::MenuBestScore, g.ep1BestScore);
    Label4 = text(TextId::MenuBestScore, g.ep2BestScore);
    // 7. Music: every activation with music on continues the piece.
    if (g.musicOn == 1) {
        setCheck1(1);
        program_.frontEnd().music("Open");
        program_.frontEnd().music("Play");
    } else {
        setCheck1(0);
        Timer1.setEnabled(false);
    }
    // 8. Version.
    Label5 = version();
}

void Menu::Command1_Click() {
    program_.openForm1();
    visible = false;
    program_.frontEnd().hideMenu();
}

void Menu::Command2_Click() {
    if (!Command2Enabled) return;  // a disabled button cannot be clicked
    program_.openForm2();
    visible = false;
    program_.frontEnd().hideMenu();
}

void Menu::Command3_Click() {
    program_.frontEnd().showAbout();
}

void Menu::Command4_Click() {
    program_.frontEnd().showRules();
}

void Menu::Command5_Click() {
    Form_Unload();
}

void Menu::Form_Unload() {
    if (program_.ended()) return;
    const bool saved = program_.progressStore().save(program_.progress());
    program_.frontEnd().music("Close");
    program_.end(saved);
}

void Menu::Image1_Click() {
    program_.frontEnd().openUrl(kHomePage);
}

void Menu::setCheck1(int value) {
    if (Check1Value == value) return;
    Check1Value = value;
    Check1_Click();
}

void Menu::Check1_Click() {
    if (Check1Value == 1) {
        program_.frontEnd().music("Open");
        program_.frontEnd().music("Play");
        Timer1.setEnabled(true);
        program_.progress().musicOn = 1;
    } else if (Check1Value == 0) {
        program_.frontEnd().music("Close");
        Timer1.setEnabled(false);
        program_.progress().musicOn = 0;
    }
}

void Menu::Timer1_Timer() {
    // Close, open and play again, so the piece starts from its beginning.
    if (Check1Value == 1) {
        program_.frontEnd().music("Close");
        program_.frontEnd().music("Open");
        program_.frontEnd().music("Play");
    }
}

}  // namespace sky
