#pragma once

#include <functional>

namespace testsupport {

// Runs the event loop until `done` holds or `timeoutMs` passes; true when it held.
// Waits on events, never sleeps.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace testsupport
