// The about screen's layout and handlers.
#include "shell/about.h"

#include "shell/frontend.h"
#include "shell/menu.h"
#include "shell/registry.h"

namespace sky {

namespace {
constexpr Rgb kBlack = 0x000000;
constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kMsinfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
}  // namespace

About::About(FrontEnd& frontEnd, Registry& registry, ProgramLauncher& launcher)
    : frontEnd_(frontEnd), registry_(registry), launcher_(launcher) {}

const std::vector<InfoLabel>& About::labels() {
    static const std::vector<InfoLabel> labels = {
        // name, text, left, top, width, height, font, colour
        {"lblVersion", TextId::AboutCopyright, 840, 600, 1125, 225, kBoldFont, kBlack},
        {"Label1", TextId::None, 3480, 600, 975, 255, kBoldFont, kBlack},
        {"Label5", TextId::AboutProgrammed, 120, 840, 3615, 255, kBoldFont, kBlack},
        {"lblDescription", TextId::AboutWeb, 120, 1200, 645, 210, kBoldFont, kBlack},
        {"Label2", TextId::AboutSite, 720, 1200, 1455, 255, kTextFont, kBlack},
        {"Label3", TextId::AboutMail, 120, 1440, 615, 255, kBoldFont, kBlack},
        {"Label4", TextId::AboutAddress, 720, 1440, 1935, 255, kTextFont, kBlack},
        {"lblDisclaimer", TextId::AboutDisclaimer, 120, 1800, 3735, 465, kTextFont, kBlack},
        {"Label6", TextId::AboutTooFast, 120, 2400, 3735, 255, kTextFont, kBlack},
    };
    return labels;
}

const std::vector<InfoLine>& About::lines() {
    // An etched separator: a grey line with a wider white one just under it.
    static const std::vector<InfoLine> lines = {
        {"Line1(1)", 90, 1725, 5280, 1725, 0x808080, 1},
        {"Line1(0)", 105, 1740, 5280, 1740, 0xFFFFFF, 2},
    };
    return lines;
}

const std::vector<InfoPicture>& About::pictures() {
    static const std::vector<InfoPicture> pictures = {
        {"Image1", "banner", 960, 120, 3495, 510},
        {"Picture1", "ioblak", 120, 174, 540, 540},
        {"picIcon", "emblem", 4680, 175, 540, 540},
    };
    return pictures;
}

const std::vector<InfoButton>& About::buttons() {
    static const std::vector<InfoButton> buttons = {
        {"cmdOK", TextId::AboutOk, 3960, 1920, 1260, 345},
        {"cmdSysInfo", TextId::AboutSysInfo, 3960, 2400, 1245, 345},
    };
    return buttons;
}

void About::Form_Load() {
    // The same version form as the menu's version label.
    Label1 = text(TextId::AboutVersion, Menu::version());
}

void About::cmdOK_Click() {
    if (closeWindow) closeWindow();
}

void About::cmdSysInfo_Click() {
    startSysInfo();
}

void About::startSysInfo() {
    std::string tool;
    // 1. The tool's own entry names its full path; it is started without looking for the file.
    RegistryLookup path = lookupValue(registry_, RegistryRoot::LocalMachine, kMsinfoKey, "PATH");
    if (path.found) {
        tool = path.text;
    } else {
        // 2. Otherwise the shared tools' folder, if the tool is really there.
        RegistryLookup folder = lookupValue(registry_, RegistryRoot::LocalMachine, kMsinfoFolderKey, "MSINFO");
        const std::string candidate = folder.text + "\\MSINFO32.EXE";
        if (!folder.found || !launcher_.fileExists(candidate)) {
            // 3. No tool to be found.
            frontEnd_.messageBox(text(kNoSysInfo), text(kProgramTitle), kOkOnly);
            return;
        }
        tool = candidate;
    }
    // 4. A tool that does not start gets the same message; the about window stays open either way.
    if (!launcher_.start(tool)) frontEnd_.messageBox(text(kNoSysInfo), text(kProgramTitle), kOkOnly);
}

}  // namespace sky
