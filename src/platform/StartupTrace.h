#pragma once
// With QUIZLORE_TRACE_STARTUP=1 in the environment, a window's first paint writes the line
// "quizlore: first paint" to standard error; bench_startup times a start by it.

class QWidget;

namespace platform {

void traceFirstPaint(QWidget* window);

}  // namespace platform
