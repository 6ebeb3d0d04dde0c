#include "platform/AudioMute.h"

#include "platform/PagePane.h"

namespace tandor {
namespace {
bool gMuted = false;
}

void MuteProcessAudio() {
  gMuted = true;
  PagePane::muteAll();
}

bool ProcessAudioMuted() { return gMuted; }

}  // namespace tandor
