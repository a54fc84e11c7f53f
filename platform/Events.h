#pragma once

namespace pixmill {

// Lets pending window events run once, so that a status text just set is
// painted. Keys and clicks wait until the command has ended: a command runs
// to its end before the next one starts. Timers still tick here (the
// preview), so a tick's drawing may run inside the caller.
void DoEvents();

}  // namespace pixmill
