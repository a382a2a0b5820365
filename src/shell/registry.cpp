// The registry value look-up, and the machine's registry and launcher where there is no registry.
#include "shell/registry.h"

#include <filesystem>
#include <system_error>

namespace sky {

RegistryLookup lookupValue(Registry& registry, RegistryRoot root, const std::string& key, const std::string& value) {
    // 1. Open the key.
    std::optional<Registry::Key> k = registry.openKey(root, key, kKeyAllAccess);
    if (!k) return {};
    // 2. Read the value; a failure still closes the key.
    std::optional<Registry::Value> v = registry.queryValue(*k, value, kValueBufferSize);
    if (!v) {
        registry.closeKey(*k);
        return {};
    }
    RegistryLookup result{true, {}};
    if (v->type == kRegText) {
        // 3. The returned length counts a text's terminating zero when it was stored with one.
        std::string text = v->data;
        if (!text.empty() && text.back() == '\0') text.pop_back();
        result.text = text;
    } else if (v->type == kRegNumber32) {
        // 4. A 32-bit number is stored least significant byte first: 01 0A 00 00 is 2561.
        std::uint32_t n = 0;
        for (std::size_t i = 0; i < 4 && i < v->data.size(); ++i)
            n |= static_cast<std::uint32_t>(static_cast<unsigned char>(v->data[i])) << (8 * i);
        result.text = std::to_string(n);
    }
    // Any other type: found, with an empty text.
    // 5. Close the key.
    registry.closeKey(*k);
    return result;
}

namespace {

// No registry on this system: every key is missing.
class NoRegistry : public Registry {
public:
    std::optional<Key> openKey(RegistryRoot, const std::string&, std::uint32_t) override { return std::nullopt; }
    std::optional<Value> queryValue(Key, const std::string&, std::size_t) override { return std::nullopt; }
    void closeKey(Key) override {}
};

// The system information tool exists only on Windows, so nothing here is ever started.
class NoLauncher : public ProgramLauncher {
public:
    bool fileExists(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }
    bool start(const std::string&) override { return false; }
};

}  // namespace

Registry& systemRegistry() {
    static NoRegistry registry;
    return registry;
}

ProgramLauncher& systemLauncher() {
    static NoLauncher launcher;
    return launcher;
}

}  // namespace sky
