// The application's default exception display, and the guard that every handler called by Qt runs
// in: an exception ends the handler where it arises, is shown, and never unwinds through Qt.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <string_view>

namespace ostrane {

// The program file's name without its directory, up to its first period, with every letter after
// the first in lower case.
QString ApplicationTitle(const QString& programPath);

// Shows a failure; `text` is the message as the user reads it.
using ExceptionDisplay = std::function<void(const QString& caption, const QString& text)>;

// Replaces the display, for tests that cannot click a message box away; an empty function brings
// back the modal message box with an OK button and the stop icon.
void SetExceptionDisplay(ExceptionDisplay display);

// Shows `message` (8-bit text) with the period rule, captioned with the application's title.
void ShowException(std::string_view message);

template <typename Handler>
void RunHandler(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& failure) {
        ShowException(failure.what());
    }
}

}  // namespace ostrane
