// The help page that F1 lays over a game screen: the keys, the goal of the episode, landing or
// rescuing step by step, how high a bomb may fall from, and what the dashboard shows. Its numbers
// are the rules' own; its texts are in the game's language. Each front end lays it out itself.
#pragma once

#include <string>
#include <vector>

#include "game/keys.h"

namespace sky {

struct HelpPage {
    // One line of a section: a key or a dashboard caption and what it does, or (with no key) a
    // paragraph, or (numbered, key "1", "2"...) a step.
    struct Row {
        std::string key;
        std::string text;
        bool step = false;
    };
    struct Section {
        std::string heading;
        std::vector<Row> rows;
        int column;  // 0 left, 1 right
    };
    std::string title;
    std::vector<Section> sections;
    std::string closeHint;
};

// The page of episode 1 or 2, naming the keys the player has; the black box's key only where the
// front end keeps one, and how many minutes back it reaches.
HelpPage helpPage(int episode, const KeyMap& keys = {}, int blackBoxMinutes = 0);

}  // namespace sky
