// Sound cues: the moments of the game that make a sound. The game's handlers report them to the
// front end the instant the rule acts; what they sound like is the front end's business.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace sky {

enum class Cue {
    BombReleased,     // a bomb leaves the aircraft
    MissileLaunched,  // the player's missile leaves the aircraft
    F16Fire,          // the F16 fires its missile
    Explosion,        // an explosion starts
    StarCollected,    // a star is taken
    Hit,              // a bird in the turbine, an enemy missile on the aircraft
    Touchdown,        // the aircraft stands on the airport
    TakeOff,          // it leaves the airport again
    Rescue,           // a rescue at the lighthouse
    LostRun,          // the run ends lost
    Victory,          // the episode is won
};

inline constexpr int kCueCount = 11;

// The cue's name, as the scenario runner prints it and as its sound file is called.
inline constexpr std::array<std::string_view, kCueCount> kCueNames{
    "bomb", "missile", "f16_fire", "explosion", "star", "hit", "touchdown", "takeoff", "rescue", "lost", "victory"};

inline std::string_view cueName(Cue c) {
    return kCueNames[static_cast<int>(c)];
}

inline std::optional<Cue> cueFromName(std::string_view name) {
    for (int i = 0; i < kCueCount; ++i)
        if (kCueNames[i] == name) return static_cast<Cue>(i);
    return std::nullopt;
}

}  // namespace sky
