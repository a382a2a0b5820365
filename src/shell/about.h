// The about screen: version, maker, and the start of the system information tool.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/infoscreen.h"

namespace sky {

class FrontEnd;
class ProgramLauncher;
class Registry;

class About {
public:
    About(FrontEnd& frontEnd, Registry& registry, ProgramLauncher& launcher);

    static constexpr TextId kCaption = TextId::AboutTitle;
    static constexpr int kClientWidth = 5400, kClientHeight = 2850;  // twips: 360 x 190 pixels
    // The program's title, which titles its messages.
    static constexpr TextId kProgramTitle = TextId::ProgramTitle;
    static constexpr TextId kNoSysInfo = TextId::AboutNoSysInfo;

    // The labels as designed; Label1's text is filled in by Form_Load (see Label1 below).
    static const std::vector<InfoLabel>& labels();
    static const std::vector<InfoLine>& lines();
    static const std::vector<InfoPicture>& pictures();
    // In tab order: cmdOK first.
    static const std::vector<InfoButton>& buttons();

    std::string Label1;  // "Verzia: 1.03" once loaded

    // Closes the window; set by the front end.
    std::function<void()> closeWindow;

    // Handlers.
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    FrontEnd& frontEnd_;
    Registry& registry_;
    ProgramLauncher& launcher_;
    void startSysInfo();
};

}  // namespace sky
