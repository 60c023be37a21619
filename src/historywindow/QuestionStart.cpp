#include "historywindow/QuestionStart.h"

#include "history/Attempt.h"

namespace historywindow {

QString shownQuestionStart(const QString& kept)
{
    if (kept.size() < history::QuestionStartLength)
        return kept;
    // The last word may be cut, so it goes. A text whose last space comes early (one long
    // word: an address, a command line) is cut where it stops rather than losing most of it.
    qsizetype end = kept.lastIndexOf(QLatin1Char(' '));
    if (end < kept.size() / 2)
        end = kept.size();
    QString shown = kept.left(end);
    while (!shown.isEmpty() && (shown.back().isSpace() || QStringLiteral(",;:-(").contains(shown.back())))
        shown.chop(1);
    return shown + QChar(0x2026);
}

}  // namespace historywindow
