#pragma once
// Event handlers, paint handlers and timer callbacks run their work through
// RunGuarded: an error they raise goes to the application's exception handler
// (an error box) instead of into Qt's event delivery.
#include "framework/Forms.h"

#include <exception>
#include <utility>

namespace fw {

template <class F>
void RunGuarded(F&& action)
{
    try {
        std::forward<F>(action)();
    } catch (...) {
        Application.HandleException(std::current_exception());
    }
}

} // namespace fw
