#include "Transfer.h"

#include "CommandLine.h"
#include "OpenTable.h"

#include "formats/Format.h"
#include "formats/JsonFormat.h"
#include "formats/ItemTable.h"
#include "formats/Pictures.h"
#include "store/ItemCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace qbank {

namespace {

void say(const QString& text)
{
    qbank::say(stderr, text);
}

// The format named by --format, else the one of the file's extension; nullptr after saying why.
const formats::Format* chooseFormat(const QString& named, const QString& file, const formats::Format* fallback)
{
    if (!named.isEmpty()) {
        if (const formats::Format* f = formats::formatNamed(named))
            return f;
        say(QStringLiteral("qbank: unknown format \"%1\" (%2)").arg(named, formats::formatNames(QStringLiteral("|"))));
        return nullptr;
    }
    if (const formats::Format* f = file.isEmpty() ? fallback : formats::formatForFile(file))
        return f;
    say(QStringLiteral("qbank: cannot tell the format of %1 from its extension; give --format %2").arg(file, formats::formatNames(QStringLiteral("|"))));
    return nullptr;
}


int report(const QStringList& faults, const QString& where)
{
    for (const QString& fault : faults)
        say(QStringLiteral("%1: %2").arg(where, fault));
    return faults.isEmpty() ? Ok : Faults;
}

// A field as the JSON source names it, in quotes: "answers" for Q1 to Q6.
QString jsonKey(const QString& field)
{
    return QLatin1Char('"') + formats::jsonNameOf(field) + QLatin1Char('"');
}

// The item rules for the item at `index` of a source, each fault as "item N: ..." with the item's line.
QStringList itemFaults(const formats::Item& item, int index, store::TableKind kind)
{
    QStringList faults;
    for (const store::ItemFault& fault : store::checkItem(formats::recordOf(item), kind)) {
        const QString where = item.line > 0 ? QStringLiteral("line %1: item %2").arg(item.line).arg(index + 1)
                                            : QStringLiteral("item %1").arg(index + 1);
        faults.append(QStringLiteral("%1: %2").arg(where, store::faultText(fault, jsonKey)));
    }
    return faults;
}

}  // namespace

int importItems(const QString& file, const QString& source, const TransferOptions& options)
{
    const formats::Format* format = chooseFormat(options.format, source, nullptr);
    if (!format)
        return Usage;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("%1: cannot read the source: %2").arg(source, in.errorString()));
        return Faults;
    }
    OpenTable t(file);
    if (const QStringList faults = t.layoutFaults(); !faults.isEmpty())
        return report(faults, file);
    // The items go into the table as they are read, so that a large source is never held
    // whole, in one transaction that is kept only when the whole source has passed.
    formats::ItemImport import(t.table);
    const bool bankTaken = t.kind == store::TableKind::Bank && t.table.recordCount() > 0;
    int count = 0, withoutSection = 0;
    QList<formats::Problem> fitted;  // said after the reader's problems
    QStringList faults;
    const formats::ReadResult read = format->readStream(in, t.kind, [&](formats::Item& item) {
        const int index = count++;
        withoutSection += item.section == 0 && options.section == 0;
        fitted += formats::fitItem(item, t.kind, options.section, index + 1);
        faults += itemFaults(item, index, t.kind);
        if (withoutSection == 0 && faults.isEmpty() && !bankTaken)
            import.add(item);
    });
    for (const formats::Problem& p : read.problems)
        say(p.toString(source));
    if (read.malformed)
        return Faults;
    if (withoutSection > 0) {
        const QString items = withoutSection == 1 ? QStringLiteral("1 item in %1 names").arg(source)
                                                  : QStringLiteral("%1 items in %2 name").arg(withoutSection).arg(source);
        say(QStringLiteral("qbank: %1 no section; give one with --section 1..4").arg(items));
        return Usage;
    }
    for (const formats::Problem& p : fitted)
        say(p.toString(source));
    if (!faults.isEmpty())
        return report(faults, source);
    // The bank was looked at with the write lock held, so that two imports cannot both find it empty.
    if (bankTaken) {
        say(QStringLiteral("%1: the bank is not empty; import into a new file so that Q_ID runs 1..N").arg(file));
        return Faults;
    }
    import.commit();
    if (count == 0 && read.skipped == 0)
        say(QStringLiteral("%1 holds no questions; nothing was imported").arg(source));
    else
        say(QStringLiteral("Imported %1 items, skipped %2%3").arg(count).arg(read.skipped)
                .arg(read.skipped > 0 ? QStringLiteral(" (see above)") : QString()));
    return Ok;
}

int exportItems(const QString& file, const TransferOptions& options)
{
    const formats::Format* format = chooseFormat(options.format, options.output, formats::formatNamed("json"));
    if (!format)
        return Usage;
    OpenTable t(file);
    if (const QStringList faults = t.layoutFaults(); !faults.isEmpty())
        return report(faults, file);
    std::vector<formats::Item> items = formats::readTableItems(t.table);
    if (format->embedsPictures())
        for (const formats::Problem& p : formats::loadPictures(items, QFileInfo(file).absolutePath()))
            say(p.toString(file));
    const formats::WriteResult written = format->write(items, t.kind);
    for (const formats::Problem& p : written.problems)
        say(p.toString(file));
    if (options.output.isEmpty()) {
        std::fwrite(written.data.constData(), 1, size_t(written.data.size()), stdout);
    } else {
        QSaveFile out(options.output);  // all or nothing: no half-written file
        if (!out.open(QIODevice::WriteOnly) || out.write(written.data) != written.data.size() || !out.commit()) {
            say(QStringLiteral("%1: cannot write: %2").arg(options.output, out.errorString()));
            return Faults;
        }
    }
    say(QStringLiteral("Exported %1 items, skipped %2%3").arg(written.written).arg(written.skipped)
            .arg(written.skipped > 0 ? QStringLiteral(" (see above)") : QString()));
    return Ok;
}

}  // namespace qbank
