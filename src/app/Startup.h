#pragma once
#include <memory>

namespace moquan {

class SingleInstance;

// The start-up sequence before the main window: first-run settings, registry
// marks, the desktop shortcut, the single-instance test and the login check.
// True when the main window is to open; `instance` then holds the lock for
// the life of the process.
bool runStartupSequence(std::unique_ptr<SingleInstance> &instance);

} // namespace moquan
