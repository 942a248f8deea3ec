#pragma once

#include <functional>

namespace ui {

class Backend;

// Every event handler runs through here. A fault that escapes the handler is shown in the
// general error report and the command stops there; the program goes on.
void Dispatch(Backend& backend, const std::function<void()>& handler);

}  // namespace ui
