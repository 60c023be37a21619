#include "Transfer.h"

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

enum Exit { Ok = 0, Faults = 1, Usage = 2 };

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

// The item rules for every item of a source, each fault as "item N: ..." with the item's line.
QStringList itemFaults(const std::vector<formats::Item>& items, store::TableKind kind)
{
    QStringList faults;
    for (size_t i = 0; i < items.size(); ++i)
        for (const store::ItemFault& fault : store::checkItem(formats::recordOf(items[i]), kind)) {
            const QString where = items[i].line > 0 ? QStringLiteral("line %1: item %2").arg(items[i].line).arg(i + 1)
                                                    : QStringLiteral("item %1").arg(i + 1);
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
    formats::ReadResult read = format->read(in.readAll(), t.kind);
    for (const formats::Problem& p : read.problems)
        say(p.toString(source));
    if (read.malformed)
        return Faults;
    int withoutSection = 0;
    for (const formats::Item& item : read.items)
        withoutSection += item.section == 0;
    if (withoutSection > 0 && options.section == 0) {
        const QString count = withoutSection == 1 ? QStringLiteral("1 item in %1 names").arg(source)
                                                  : QStringLiteral("%1 items in %2 name").arg(withoutSection).arg(source);
        say(QStringLiteral("qbank: %1 no section; give one with --section 1..4").arg(count));
        return Usage;
    }
    for (const formats::Problem& p : formats::fitItems(read.items, t.kind, options.section))
        say(p.toString(source));
    if (const QStringList faults = itemFaults(read.items, t.kind); !faults.isEmpty())
        return report(faults, source);
    // The bank test runs with the write lock held, so that two imports cannot both find it empty.
    struct BankTaken {};
    try {
        formats::importItems(t.table, read.items, {}, [&] {
            if (t.kind == store::TableKind::Bank && t.table.recordCount() > 0)
                throw BankTaken{};
        });
    } catch (const BankTaken&) {
        say(QStringLiteral("%1: the bank is not empty; import into a new file so that Q_ID runs 1..N").arg(file));
        return Faults;
    }
    say(QStringLiteral("Imported %1 items, skipped %2%3").arg(read.items.size()).arg(read.skipped)
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
