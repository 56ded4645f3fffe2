#pragma once

#include "app/TNoltApplication.h"

#include <exception>
#include <utility>

// The seam between Qt and the window's handlers. Qt's own frames do not unwind, so nothing may be
// thrown back into them: every handler that Qt calls (a click, a shortcut, a key of the grid) runs
// through RunGuarded, where a failure ends the handler and is shown in the error box. The handlers
// themselves catch nothing. Anything thrown that is not a std::exception ends the program here.
template <typename Handler> void RunGuarded(Handler& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& failure) {
        TNoltApplication::ShowFailure(failure);
    }
}

// Shows a failure that a control caught in Qt's frames and handed on as a signal, as RunGuarded
// shows one thrown in a handler.
inline void ShowCaughtFailure(const std::exception_ptr& failure) noexcept {
    const auto rethrow = [&failure] { std::rethrow_exception(failure); };
    RunGuarded(rethrow);
}

// A handler made fit for a connection: whatever the signal passes is ignored.
template <typename Handler> auto Guarded(Handler handler) {
    return [handler = std::move(handler)](auto&&...) mutable { RunGuarded(handler); };
}
