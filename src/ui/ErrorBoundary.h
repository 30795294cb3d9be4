#pragma once

#include <QString>

#include <exception>
#include <stdexcept>
#include <utility>

// Modal error box: the text itself under caption text 51, OK button.
void ShowErrorMessage(const QString& text);

// The message of a file that could not be loaded: text 84, then below it the file's path and the
// reason the data set gave (of a text 84 that names the file, only the reason after the name).
QString FileErrorText(const QString& path, const QString& reason);

// The application's handler for every exception that escapes an event handler.
void OnAppException(const std::exception& error);

// Runs `handler` so that no exception leaves it: every slot, timer callback and event override goes
// through here, because an exception unwinding through a Qt frame ends the process.
template <typename Handler> void Guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        OnAppException(error);
    } catch (...) {
        // Nothing but std::exception is ever thrown on purpose; still the program must carry on.
        OnAppException(std::runtime_error("Unknown error."));
    }
}

// Wraps a slot body for connect(): `connect(a, &A::s, this, GuardedSlot([this] { ... }))`.
template <typename Handler> auto GuardedSlot(Handler handler) {
    return [handler = std::move(handler)](auto&&... args) mutable noexcept {
        Guarded([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}
