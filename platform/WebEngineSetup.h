#pragma once
// Process-wide browser settings; call prepareWebEngine() before the application object exists
// and applyNetworkSettings() right after.
namespace tandor {

// Chromium switches: one renderer per site so that many panes on one host share a process, no
// sound, and none of the browser's own background traffic.
void prepareWebEngine();
// Every request, of the panes and of direct fetches, goes through the system's proxy settings
// (http_proxy on Linux).
void applyNetworkSettings();

}  // namespace tandor
