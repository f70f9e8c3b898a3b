// The handler wrapper: no exception crosses a Qt frame. A database error (or any other exception)
// raised by a handler is shown in the application's general error report; the window stays open.
#pragma once

#include <exception>
#include <type_traits>
#include <utility>

namespace ui {

// Shows the general error report for an exception that reached a handler: the engine's text,
// after a sentence in Chinese when the failure is one the user can act on.
void reportError(const std::exception& e);

// Wraps a handler for connect(): guarded([this] { btn1Click(); }).
template <typename F> auto guarded(F f) {
    return [f = std::move(f)](auto&&... args) mutable {
        try {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else
                f();
        } catch (const std::exception& e) {
            reportError(e);
        }
    };
}

} // namespace ui
