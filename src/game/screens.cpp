// The game's screens for the program to open.
#include "game/screens.h"

#include "episode1/form1.h"
#include "episode2/form2.h"

namespace sky {

ScreenFactory gameScreens() {
    return [](Program& program, int episode) -> std::shared_ptr<GameScreen> {
        if (episode == 2) return std::make_shared<Form2>(program);
        return std::make_shared<Form1>(program);
    };
}

}  // namespace sky
