#pragma once
// Qt wraps a paragraph at word boundaries by searching the rest of the paragraph for one, line
// after line: a long run of text without a space or a line break takes time that grows with
// the square of its length (a pasted megabyte froze a note box for two minutes). A box that
// holds such a run wraps anywhere instead, which is linear; ordinary text keeps word wrapping.

class QPlainTextEdit;
class QString;

namespace widgets {

// Runs at least this long without white space switch the box to wrapping anywhere.
inline constexpr int LongRun = 1000;

// Watches `box`: text that makes a long run switches it to wrapping anywhere before it is laid
// out (only the paragraphs a change touches are read); text that replaces the whole content
// decides afresh.
void wrapLongRunsAnywhere(QPlainTextEdit* box);

// Whether `text` holds a run of LongRun characters without white space.
bool hasLongRun(const QString& text);

}  // namespace widgets
