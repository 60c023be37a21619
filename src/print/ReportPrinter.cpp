#include "print/ReportPrinter.h"

#include "platform/Prompts.h"
#include "print/engine/PagePainter.h"
#include "print/engine/ReportLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace print {

namespace {

// The page indexes to send, copies included.
QList<int> pagesToSend(const QPrinter& printer, int pageCount)
{
    int first = 0;
    int last = pageCount - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(0, printer.fromPage() - 1);
        last = std::min(last, std::max(first, printer.toPage() - 1));
    }
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QList<int> pages;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            for (int p = first; p <= last; ++p)
                pages << p;
    } else {
        for (int p = first; p <= last; ++p)
            for (int c = 0; c < copies; ++c)
                pages << p;
    }
    return pages;
}

// Why a file cannot be written, in the words of the system ("permission denied").
QString whyNotWritable(const QString& fileName)
{
    const bool existed = QFileInfo::exists(fileName);
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.close();
        if (!existed)
            file.remove();
        return QStringLiteral("the file could not be written");
    }
    QString reason = file.errorString();
    if (!reason.isEmpty())
        reason[0] = reason[0].toLower();
    return reason;
}

QString failureText(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("Cannot write the PDF file %1: %2")
            .arg(printer.outputFileName(), whyNotWritable(printer.outputFileName()));
    return QStringLiteral("Cannot print on the printer %1").arg(printer.printerName());
}

}  // namespace

void setUpPrinter(QPrinter& printer, const report::Document& document)
{
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(document.paper, QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(document.name);
    printer.setFromTo(1, std::max<int>(1, int(document.pages.size())));
}

QString sendPages(const report::Document& document, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return failureText(printer);
    report::paintPages(painter, printer, document, pagesToSend(printer, int(document.pages.size())));
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return failureText(printer);
    return QString();
}

bool printDocument(const report::Document& document, Output output, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, document);
    platform::Prompts& prompts = platform::Prompts::current();
    if (output == Output::Printer) {
        if (!prompts.choosePrinter(printer, parent))
            return false;
        const QString error = sendPages(document, printer);
        if (!error.isEmpty()) {
            platform::showError(error);
            return false;
        }
        return true;
    }
    bool ok = true;
    prompts.previewPages(
        printer,
        [&document, &ok](QPrinter& target) {
            const QString error = sendPages(document, target);
            if (!error.isEmpty()) {
                ok = false;
                platform::showError(error);
            }
        },
        parent);
    return ok;
}

bool printReport(const report::Report& report, Output output, QWidget* parent)
{
    return printDocument(report::layoutReport(report), output, parent);
}

}  // namespace print
