// The main menu: episode buttons, progress display, the music switch, rules and about.
#pragma once

#include <string>
#include <vector>

#include "runtime/scheduler.h"
#include "runtime/text.h"

namespace sky {

class Program;

// One control of the menu window as laid out at design time (twips, 15 to a pixel; the
// buttons and labels inside a frame are relative to it).
struct MenuControl {
    const char* name;
    enum Kind { Picture, Frame, Button, Label, CheckBox } kind;
    const char* parent;   // frame name, or "" for the window
    TextId caption;       // the caption (none for pictures)
    const char* picture;  // a picture's name, else nullptr
    int left, top, width, height;
};

class Menu {
public:
    explicit Menu(Program& p);

    static constexpr int kClientWidth = 7425, kClientHeight = 5865;  // twips: 495 x 391 pixels
    static constexpr TextId kCaption = TextId::MenuTitle;
    static constexpr const char* kHomePage = "https://skyrend.example.org/";
    static const std::vector<MenuControl>& layout();
    // The program's own version in its short form: major ".", then minor and revision: "1.03".
    static std::string version();

    // State of the controls, as the window shows them.
    std::string Label1, Label2, Label3, Label4, Label5;
    bool Command2Enabled = false;
    int Check1Value = 0;  // unticked when created
    bool visible = false;
    Timer Timer1;  // restarts the music every 39 750 ms

    // Handlers.
    void Form_Activate();
    void Command1_Click();  // episode 1
    void Command2_Click();  // episode 2
    void Command3_Click();  // about
    void Command4_Click();  // rules
    void Command5_Click();  // quit
    void Form_Unload();     // quitting, or the window's close box
    void Image1_Click();    // the maker's home page
    void Check1_Click();
    void Timer1_Timer();

    // A change of the tick, by the user or by code, runs the click handling when it changes.
    void setCheck1(int value);

private:
    Program& program_;
    void readProgressFile();
};

}  // namespace sky
