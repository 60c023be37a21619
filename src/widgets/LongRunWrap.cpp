#include "widgets/LongRunWrap.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextOption>

namespace widgets {

bool hasLongRun(const QString& text)
{
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run >= LongRun)
            return true;
    }
    return false;
}

void wrapLongRunsAnywhere(QPlainTextEdit* box)
{
    QTextDocument* document = box->document();
    QObject::connect(document, &QTextDocument::contentsChange, box,
                     [box, document](int position, int, int added) {
                         const bool whole = position == 0 && added >= document->characterCount() - 1;
                         // Wrapping anywhere lasts until the whole text is replaced.
                         if (!whole && (added == 0 || box->wordWrapMode() == QTextOption::WrapAnywhere))
                             return;
                         // The paragraphs the change touched, whole: a run may continue on either side.
                         const QTextBlock first = document->findBlock(position);
                         const QTextBlock last = document->findBlock(position + added);
                         bool longRun = false;
                         for (QTextBlock b = first; b.isValid() && !longRun; b = b.next()) {
                             longRun = hasLongRun(b.text());
                             if (b == last)
                                 break;
                         }
                         if (longRun)
                             box->setWordWrapMode(QTextOption::WrapAnywhere);
                         else if (whole)
                             box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                     });
}

}  // namespace widgets
