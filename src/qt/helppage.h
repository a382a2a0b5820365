// The help page that F1 lays over a game screen: the keys, the goal of the episode, landing or
// rescuing step by step, how high a bomb may fall from, and what the dashboard shows.
#pragma once

#include <vector>

class QPainter;
class QRect;

namespace sky::qt {

class HelpPage {
public:
    // One line of a section: a key or a dashboard caption and what it does, or (with no key)
    // a paragraph, or (numbered) a step.
    struct Row {
        const char* key;
        const char* text;
        bool step = false;
    };
    struct Section {
        const char* heading;
        std::vector<Row> rows;
        int column;  // 0 left, 1 right
    };

    // The page of episode 1 or 2; its texts are Slovak, translated on the way to the screen.
    static const char* title(int episode);
    static const std::vector<Section>& sections(int episode);
    static const char* closeHint();

    // Draws the page over the scene, which the window shows in this rectangle (the page is laid
    // out in scene pixels and scaled with the scene, so it reads the same at every scale).
    static void paint(QPainter& p, const QRect& scene, int episode);
};

}  // namespace sky::qt
