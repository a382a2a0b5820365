// The about screen's registry look-ups and the start of the system information tool.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/about.h"
#include "shell/registry.h"
#include "support/testfrontend.h"

namespace sky {
namespace {

using namespace std::string_literals;

constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// A registry of local-machine keys that counts the keys it has handed out and not had back.
class FakeRegistry : public Registry {
public:
    std::map<std::string, std::map<std::string, Value>> keys;
    std::map<Key, std::string> open;
    std::vector<std::uint32_t> accessAsked;

    std::optional<Key> openKey(RegistryRoot root, const std::string& name, std::uint32_t access) override {
        accessAsked.push_back(access);
        if (root != RegistryRoot::LocalMachine || !keys.count(name)) return std::nullopt;
        open[++next_] = name;
        return next_;
    }
    std::optional<Value> queryValue(Key key, const std::string& name, std::size_t capacity) override {
        auto& values = keys.at(open.at(key));
        auto it = values.find(name);
        if (it == values.end() || it->second.data.size() > capacity) return std::nullopt;
        return it->second;
    }
    void closeKey(Key key) override { EXPECT_EQ(open.erase(key), 1u) << "closed a key that was not open"; }

private:
    Key next_ = 100;
};

class FakeLauncher : public ProgramLauncher {
public:
    std::set<std::string> files, startable;
    std::vector<std::string> asked, started;
    bool fileExists(const std::string& path) override {
        asked.push_back(path);
        return files.count(path) > 0;
    }
    bool start(const std::string& path) override {
        started.push_back(path);
        return startable.count(path) > 0;
    }
};

TEST(RegistryLookup, ValuesByTypeAndTheKeyAlwaysClosedAgain) {
    struct Row {
        const char* what;
        bool keyThere, valueThere;
        Registry::Value value;
        bool found;
        std::string text;
    } rows[] = {
        {"text with its zero", true, true, {kRegText, "C:\\T\\msinfo32.exe\0"s}, true, "C:\\T\\msinfo32.exe"},
        {"text without one", true, true, {kRegText, "C:\\Tools"s}, true, "C:\\Tools"},
        {"an empty text", true, true, {kRegText, "\0"s}, true, ""},
        {"a 32-bit number, low byte first", true, true, {kRegNumber32, "\x01\x0A\x00\x00"s}, true, "2561"},
        {"the largest 32-bit number", true, true, {kRegNumber32, "\xFF\xFF\xFF\xFF"s}, true, "4294967295"},
        {"another type: found, no text", true, true, {3, "\x12\x34"s}, true, ""},
        {"a text too long for the buffer", true, true, {kRegText, std::string(1025, 'x')}, false, ""},
        {"no such value", true, false, {}, false, ""},
        {"no such key", false, false, {}, false, ""},
    };
    for (const Row& r : rows) {
        FakeRegistry reg;
        if (r.keyThere) reg.keys["SOFTWARE\\Test"];
        if (r.valueThere) reg.keys["SOFTWARE\\Test"]["V"] = r.value;
        RegistryLookup got = lookupValue(reg, RegistryRoot::LocalMachine, "SOFTWARE\\Test", "V");
        EXPECT_EQ(got.found, r.found) << r.what;
        EXPECT_EQ(got.text, r.text) << r.what;
        EXPECT_TRUE(reg.open.empty()) << r.what << ": a key was left open";
        EXPECT_EQ(reg.accessAsked, std::vector<std::uint32_t>{131135}) << r.what;
    }
}

TEST(AboutSysInfo, StartsTheToolFoundInTheRegistryOrSaysItIsNotThere) {
    const std::string noTool = "Systémové informácie nie sú teraz prístupné.";
    struct Row {
        const char* what;
        const char* toolPath;   // value PATH under the tool's key, or nullptr
        const char* folder;     // value MSINFO under the shared tools' key, or nullptr
        bool toolFileInFolder;  // MSINFO32.EXE exists in that folder
        bool startWorks;        // the launcher manages to start what it is given
        std::vector<std::string> started;
        bool message;
    } rows[] = {
        {"the tool's own path, no file check", "C:\\G\\msinfo32.exe", "C:\\S", true, true, {"C:\\G\\msinfo32.exe"}, 0},
        {"the tool's own path does not start", "C:\\G\\msinfo32.exe", nullptr, 0, 0, {"C:\\G\\msinfo32.exe"}, 1},
        {"only the folder, with the tool in it", nullptr, "C:\\S", true, true, {"C:\\S\\MSINFO32.EXE"}, false},
        {"only the folder, without the tool", nullptr, "C:\\S", false, true, {}, true},
        {"neither key", nullptr, nullptr, false, true, {}, true},
    };
    for (const Row& r : rows) {
        FakeRegistry reg;
        FakeLauncher launcher;
        if (r.toolPath) reg.keys[kToolKey]["PATH"] = {kRegText, r.toolPath + "\0"s};
        if (r.folder) reg.keys[kFolderKey]["MSINFO"] = {kRegText, r.folder + "\0"s};
        if (r.toolFileInFolder && r.folder) launcher.files.insert(r.folder + "\\MSINFO32.EXE"s);
        if (r.startWorks) {
            if (r.toolPath) launcher.startable.insert(r.toolPath);
            if (r.folder) launcher.startable.insert(r.folder + "\\MSINFO32.EXE"s);
        }
        test::TestFrontEnd fe;
        About about(fe, reg, launcher);
        about.Form_Load();
        about.cmdSysInfo_Click();
        EXPECT_EQ(launcher.started, r.started) << r.what;
        if (r.toolPath) {
            EXPECT_TRUE(launcher.asked.empty()) << r.what << ": the first path needs no file check";
        }
        ASSERT_EQ(fe.boxes.size(), r.message ? 1u : 0u) << r.what;
        if (r.message) {
            EXPECT_EQ(fe.boxes[0].text, noTool);
        }
        EXPECT_TRUE(reg.open.empty()) << r.what << ": a key was left open";
    }
}

}  // namespace
}  // namespace sky
