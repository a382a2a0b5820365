// Stand-ins for the music player and the rules and about windows until their own sources are
// there (the build switches each part off once they are).
#include <string>

#include "qt/infowindows.h"
#include "qt/musicplayer.h"

namespace sky::qt {

#if SKY_STUB_MUSIC
struct MusicPlayer::Impl {};
MusicPlayer::MusicPlayer() = default;
MusicPlayer::~MusicPlayer() = default;
void MusicPlayer::command(const std::string&) {}
#endif

#if SKY_STUB_INFO
void showRules(Program&) {}
void showAbout(Program&) {}
void closeInfoWindows() {}
#endif

}  // namespace sky::qt
