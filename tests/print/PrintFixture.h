#pragma once
// Printing to PDF files in tests, and reading the pages back as text with pdftotext.

#include "print/engine/PageModel.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

namespace printfixture {

// The next printer dialog chooses a PDF file.
inline void printToPdf(testsupport::ScriptedPrompts& prompts, const QString& file)
{
    prompts.answerPrinter(true, [file](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    });
}

// QUIZLORE_SHOTS=<folder> keeps a copy of a printed file there, for a look by eye.
inline void keepForLook(const QString& file, const QString& name)
{
    if (qEnvironmentVariableIsSet("QUIZLORE_SHOTS"))
        QFile::copy(file, qEnvironmentVariable("QUIZLORE_SHOTS") + QLatin1Char('/') + name);
}

// The pages of a PDF file as `pdftotext -layout` reads them.
inline QStringList pdfPages(const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTest::qFail("pdftotext failed", __FILE__, __LINE__);
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The top of the first word `word` in a PDF file, in points from the top of its page; -1
// when it is not there.
inline double wordTop(const QString& file, const QString& word)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!process.waitForFinished(60000))
        return -1;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression pattern(QStringLiteral("<word xMin=\"[^\"]*\" yMin=\"([^\"]*)\"[^>]*>") +
                                     QRegularExpression::escape(word.toHtmlEscaped()) +
                                     QStringLiteral("</word>"));
    const QRegularExpressionMatch match = pattern.match(html);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

// The lines of a page without their blanks at either end, empty lines kept.
inline QStringList trimmedLines(const QString& page)
{
    QStringList lines = page.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

// What a reader of a laid-out page would notice, one line each: ink (texts, check boxes,
// charts) over other ink, anything outside the margins, anything but the footer's reaching
// into the footer. Empty for a sound page. Lines and frames may run behind ink by design.
inline QStringList pageFaults(const report::Document& document, const report::Page& page)
{
    constexpr double Eps = 0.01;
    const QRectF inside(document.margin, document.margin,
                        document.paper.width() - 2 * document.margin,
                        document.paper.height() - 2 * document.margin);
    double footerTop = inside.bottom();
    for (const report::PlacedBand& band : page.bands)
        if (band.kind == report::BandKind::Footer)
            footerTop = band.rect.top();
    auto isInk = [](const report::Box& box) {
        return box.kind == report::BoxKind::Text || box.kind == report::BoxKind::CheckBox ||
               box.kind == report::BoxKind::Chart;
    };
    QStringList faults;
    for (qsizetype i = 0; i < page.boxes.size(); ++i) {
        const report::Box& box = page.boxes[i];
        // Compared edge by edge: a line has no height, and QRectF::contains() takes no empty rectangle.
        if (box.rect.left() < inside.left() - Eps || box.rect.right() > inside.right() + Eps ||
            box.rect.top() < inside.top() - Eps || box.rect.bottom() > inside.bottom() + Eps)
            faults << box.name + QStringLiteral(" outside the margins");
        const bool inFooter = box.rect.top() >= footerTop - Eps;
        if (!inFooter && box.rect.bottom() > footerTop + Eps)
            faults << box.name + QStringLiteral(" reaches into the footer");
        for (qsizetype j = i + 1; j < page.boxes.size() && isInk(box); ++j) {
            const QRectF common = box.rect.intersected(page.boxes[j].rect);
            if (isInk(page.boxes[j]) && common.width() > Eps && common.height() > Eps)
                faults << box.name + QStringLiteral(" over ") + page.boxes[j].name;
        }
    }
    return faults;
}

// The first of the named boxes that does not stand wholly below the one named before it;
// empty when they read from top to bottom in the order given.
inline QString outOfOrder(const report::Page& page, const QStringList& topToBottom)
{
    constexpr double Eps = 0.01;
    for (qsizetype i = 1; i < topToBottom.size(); ++i) {
        const report::Box* above = page.find(topToBottom[i - 1]);
        const report::Box* below = page.find(topToBottom[i]);
        if (!above || !below || below->rect.top() < above->rect.bottom() - Eps)
            return topToBottom[i];
    }
    return QString();
}

// An item of the current exam set: answers a..f ("" leaves a gap) and the letters of its key.
inline testsupport::Item keyedItem(const QStringList& answers, const QString& key, int number,
                                   const QString& question, const QString& explanation)
{
    testsupport::Item it;
    it["Q_SECT"] = 1;
    it["Q_TEXT"] = question;
    it["Q_EXPL"] = explanation;
    it["Q_TYPE"] = key.size() > 1;
    it["Q_OR_NUMBER"] = number;
    for (int k = 1; k <= 6; ++k) {
        it[QStringLiteral("Q%1").arg(k)] = answers.value(k - 1);
        it[QStringLiteral("A%1").arg(k)] = key.contains(QLatin1Char(char('a' + k - 1)));
    }
    return it;
}

}  // namespace printfixture
