// qbank: creates, imports, exports and checks the program's table files, checks its study history and
// reports the readiness estimate from it.

#include "BankRules.h"
#include "CommandLine.h"
#include "OpenTable.h"
#include "ReadinessReport.h"
#include "Transfer.h"

#include "formats/Format.h"
#include "history/HistoryStore.h"
#include "store/ItemCheck.h"
#include "store/StandaloneTable.h"
#include "store/StoreError.h"
#include "store/Table.h"
#include "store/TableFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

using namespace qbank;

const char* helpText =
    "Usage: qbank COMMAND FILE [ARGS]\n"
    "Creates, imports, exports and checks the table files of Quizlore Prep, and estimates\n"
    "readiness from its study history.\n"
    "\n"
    "  qbank create FILE --kind bank|current|user   make a new, empty table file\n"
    "  qbank import FILE SOURCE [--format F] [--section N]\n"
    "                                               add the questions of SOURCE to FILE\n"
    "  qbank export FILE [--format F] [-o OUT]      write the items of FILE to OUT (standard output\n"
    "                                               when not given; JSON unless told otherwise)\n"
    "  qbank check FILE                             check the layout and content of FILE, a table\n"
    "                                               file or the study history (history.DAT)\n"
    "  qbank readiness HISTORY BANK [--at YYYY-MM-DD] [--items N]\n"
    "                                               the readiness estimate and the questions due\n"
    "                                               for review, from the study history HISTORY\n"
    "                                               against the question bank BANK\n"
    "  qbank --help                                 show this text\n"
    "\n"
    "Formats (F), taken from the file's extension when not given:\n"
    "%1"
    "Questions without a section in the source take the one given with --section (1 to 4).\n"
    "A question with a fault, or one the program cannot take, is skipped with one line on\n"
    "standard error; only a source that cannot be read as its format at all (or JSON with\n"
    "any fault) stops the import.\n"
    "\n"
    "readiness evaluates as of now, or as of the end of the day given with --at (local time)\n"
    "from the attempts graded by then; --items sets the exam's size (the median size of the bank's\n"
    "practice exams when not given).\n"
    "\n"
    "Exit codes: 0 success; 1 faults in the file or the source, or a file that cannot be read\n"
    "(one message each on standard error; the target file is left unchanged); 2 wrong use of\n"
    "the command line.\n";

// The help text with one line per format of the format library.
QString helpWithFormats()
{
    QString lines;
    for (const formats::Format* f : formats::allFormats())
        lines += QStringLiteral("  %1  %2 (%3)\n").arg(f->name().leftJustified(8), f->title(), f->filePatterns().join(QStringLiteral(", ")));
    return QString::fromLatin1(helpText).arg(lines);
}

int report(const QStringList& faults, const QString& file)
{
    for (const QString& fault : faults)
        say(stderr, QStringLiteral("%1: %2").arg(file, fault));
    return faults.isEmpty() ? Ok : Faults;
}


qbank::Record readRecord(const store::Table& table)
{
    qbank::Record record;
    for (const QString& name : table.fieldNames())
        record[name.toUpper()] = table.value(name);
    return record;
}

int createCommand(const QString& file, const QString& kindText)
{
    store::TableKind kind;
    if (!store::parseKind(kindText, kind))
        return usage(QStringLiteral("unknown kind \"%1\" (bank, current or user)").arg(kindText));
    store::createTableFile(file, kind, store::TablePassword);
    return Ok;
}

// Takes --format F, --section N and -o OUT out of `args`; returns a fault text, empty when fine.
QString takeOptions(QStringList& args, qbank::TransferOptions& options)
{
    QMap<QString, QString> values;
    if (const QString fault = takeValues(args, {"--format", "--section", "-o"}, values); !fault.isEmpty())
        return fault;
    options.format = values.value("--format");
    options.output = values.value("-o");
    if (values.contains("--section")) {
        const std::optional<int> section = numberIn(values["--section"], 1, 4);
        if (!section)
            return QStringLiteral("--section must be 1, 2, 3 or 4, not \"%1\"").arg(values["--section"]);
        options.section = *section;
    }
    return {};
}

int checkCommand(const QString& file)
{
    // The study history (also one moved aside as damaged) has a layout of its own.
    if (QFileInfo(file).fileName().startsWith(history::HistoryFileName, Qt::CaseInsensitive))
        return report(history::HistoryStore(file).check(), file);
    OpenTable t(file);
    QStringList faults = t.layoutFaults();
    if (!faults.isEmpty())
        return report(faults, file);

    const QString folder = QFileInfo(file).absolutePath();
    const bool bank = t.kind == store::TableKind::Bank;
    std::vector<qbank::Record> records;
    for (t.table.first(); !t.table.eof(); t.table.next()) {
        records.push_back(readRecord(t.table));
        const qint64 id = t.table.value(store::field::Q_ID).toLongLong();
        const QString where = QStringLiteral("item Q_ID %1").arg(id);
        if (bank && id != t.table.recNo())
            faults.append(QStringLiteral("%1: record number %2 should have Q_ID %2 (Q_ID must run 1..N)")
                              .arg(where).arg(t.table.recNo()));
        for (const store::ItemFault& fault : store::checkItem(records.back(), t.kind, folder))
            faults.append(QStringLiteral("%1: %2").arg(where, store::faultText(fault)));
    }
    if (bank) {
        faults += qbank::checkBankRules(records);
        for (const QString& line : qbank::bankFigures(records))
            say(stdout, QStringLiteral("%1: %2").arg(file, line));
    }
    return report(faults, file);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains("--help") || args.contains("-h")) {
        std::fputs(qPrintable(helpWithFormats()), stdout);
        return Ok;
    }
    if (args.size() < 2)
        return usage(QStringLiteral("a command and a file are needed"));
    const QString command = args[0];
    const QString file = args[1];
    try {
        if (command == "create") {
            if (args.size() != 4 || args[2] != "--kind")
                return usage(QStringLiteral("create needs: FILE --kind bank|current|user"));
            return createCommand(file, args[3]);
        }
        if (command == "import" || command == "export") {
            qbank::TransferOptions options;
            QStringList rest = args.mid(2);
            if (const QString fault = takeOptions(rest, options); !fault.isEmpty())
                return usage(fault);
            if (command == "import") {
                if (rest.size() != 1 || !options.output.isEmpty())
                    return usage(QStringLiteral("import needs: FILE SOURCE [--format F] [--section N]"));
                return qbank::importItems(file, rest[0], options);
            }
            if (!rest.isEmpty() || options.section != 0)
                return usage(QStringLiteral("export needs: FILE [--format F] [-o OUT]"));
            return qbank::exportItems(file, options);
        }
        if (command == "check" && args.size() == 2)
            return checkCommand(file);
        if (command == "readiness")
            return readinessCommand(args.mid(1));
        return usage(QStringLiteral("unknown command or arguments: %1").arg(args.join(' ')));
    } catch (const std::exception& e) {
        say(stderr, QStringLiteral("qbank: %1").arg(QString::fromUtf8(e.what())));
        return Faults;
    }
}
