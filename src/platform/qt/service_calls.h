#pragma once
// Calls to the print service run off the window thread. Each call bounds
// its own time; the window waits for one in an event loop that takes no
// user input, so it keeps painting, or takes the answer later. Every thread
// is joined before the application ends.
#include <functional>

namespace velm {

// Runs `work` on a thread of its own and returns once it is done; the
// window keeps painting meanwhile, under a wait cursor once it takes a while.
void WaitForServiceCall(std::function<void()> work);

// Runs `work` on a thread of its own; `then` runs on the window thread once
// it is done, unless the application ends first.
void ServiceCallLater(std::function<void()> work, std::function<void()> then);

// Waits for the calls still running, without their `then`: the application ends.
void FinishServiceCalls();

}  // namespace velm
