#pragma once
// A window's first paint: start-up does the rest of its work after it, and with
// QUIZLORE_TRACE_STARTUP=1 in the environment the paint writes the line
// "quizlore: first paint" to standard error; bench_startup times a start by it.

#include <functional>

class QWidget;

namespace platform {

// Runs `action` once, when `window` is painted for the first time (from the paint event,
// before the window's own painting).
void onFirstPaint(QWidget* window, std::function<void()> action);

void traceFirstPaint(QWidget* window);

}  // namespace platform
