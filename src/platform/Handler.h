#pragma once
// Event handlers that report their own failures.
//
// An exception that escapes a handler is caught by the application object and shown in the
// error box. On its way there it unwinds through Qt's own code (button clicks, mouse event
// delivery), which is built without exception support and so leaks a few objects each time.
// A handler connected through handled() shows the same error box at once, inside the
// handler, and lets nothing unwind through Qt:
//
//     connect(button, &QAbstractButton::clicked, this, platform::handled([this] { Go(); }));

#include "platform/Prompts.h"

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace platform {

// Shows the message of the exception in flight in the error box.
void showCurrentException();

namespace detail {
// Calls `handler` without the signal's arguments. A function of its own so that the call
// depends on them: clang checks a discarded branch's calls that do not.
template <typename Handler, typename... Ignored>
void invokeWithoutArguments(const Handler& handler, Ignored&&...)
{
    std::invoke(handler);
}
}  // namespace detail

// Wraps `handler` for connect(). The handler takes either all of the signal's arguments or
// none of them.
template <typename Handler>
auto handled(Handler handler)
{
    return [handler = std::move(handler)](auto&&... args) {
        try {
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
                std::invoke(handler, std::forward<decltype(args)>(args)...);
            else
                detail::invokeWithoutArguments(handler, std::forward<decltype(args)>(args)...);
        } catch (...) {
            showCurrentException();
        }
    };
}

}  // namespace platform
