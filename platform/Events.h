#pragma once

namespace pixmill {

// Lets pending window events run once, so that a status text just set is
// painted. A handler may run inside the caller at this point.
void DoEvents();

}  // namespace pixmill
