#pragma once
// The start of a question as the history keeps it, shown in the Study History window and in its
// printed report.

#include <QString>

namespace historywindow {

// `kept` as the history gives it back: the history keeps only the first
// history::QuestionStartLength characters of a question, so a text of that length may stop in
// the middle of a word. Such a text ends at its last whole word with "…"; a shorter one is whole.
QString shownQuestionStart(const QString& kept);

}  // namespace historywindow
