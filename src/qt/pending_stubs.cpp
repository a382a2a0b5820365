// Stand-ins for the rules and about windows until their own sources are there (the build
// switches them off once they are).
#include "qt/infowindows.h"

namespace sky::qt {

#if SKY_STUB_INFO
void showRules(Program&) {}
void showAbout(Program&) {}
void closeInfoWindows() {}
#endif

}  // namespace sky::qt
