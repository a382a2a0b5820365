// The system registry as the about screen reads it, the value look-up, and starting a program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace sky {

// Root keys, numbered as the platform numbers them.
enum class RegistryRoot : std::uint32_t { LocalMachine = 0x80000002u };

// Value types the look-up tells apart.
enum RegistryType : std::uint32_t { kRegText = 1, kRegNumber32 = 4 };

// The key is opened with read and write rights.
constexpr std::uint32_t kKeyAllAccess = 131135;  // 0x2003F
// The value is read into a buffer of this many characters; a longer one cannot be read.
constexpr std::size_t kValueBufferSize = 1024;

class Registry {
public:
    using Key = std::uintptr_t;
    struct Value {
        std::uint32_t type;
        std::string data;  // the bytes returned, a text's terminating zero included when stored
    };
    virtual ~Registry() = default;
    // nullopt when the key is missing or the access is refused.
    virtual std::optional<Key> openKey(RegistryRoot root, const std::string& name, std::uint32_t access) = 0;
    // nullopt when the value is missing or does not fit in `capacity` bytes.
    virtual std::optional<Value> queryValue(Key key, const std::string& name, std::size_t capacity) = 0;
    virtual void closeKey(Key key) = 0;
};

struct RegistryLookup {
    bool found = false;
    std::string text;
};

// Reads one value as text: a text value as it is, a 32-bit number in decimal, any other type as an
// empty text that still counts as found. The key is always closed again.
RegistryLookup lookupValue(Registry& registry, RegistryRoot root, const std::string& key, const std::string& value);

// Starts other programs.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool fileExists(const std::string& path) = 0;
    // Starts the program in a normal window that takes the focus; false when it does not start.
    virtual bool start(const std::string& path) = 0;
};

// The machine's own registry and launcher. Only Windows has a registry and the system information
// tool; elsewhere the registry holds no keys and nothing is started.
Registry& systemRegistry();
ProgramLauncher& systemLauncher();

}  // namespace sky
