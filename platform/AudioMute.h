#pragma once
namespace tandor {
// Silences every page pane of the process, those that exist and those made later. The browser
// engine is also started with its own mute switch, so no page ever makes a sound.
void MuteProcessAudio();
bool ProcessAudioMuted();
}  // namespace tandor
