// qbank: creates, imports, exports and checks the program's table files.

#include "BankRules.h"
#include "ItemJson.h"

#include "store/ItemCheck.h"
#include "store/StandaloneTable.h"
#include "store/StoreError.h"
#include "store/Table.h"
#include "store/TableFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

enum Exit { Ok = 0, Faults = 1, Usage = 2 };

const char* helpText =
    "Usage: qbank COMMAND FILE [ARGS]\n"
    "Creates, imports, exports and checks the table files of Quizlore Prep.\n"
    "\n"
    "  qbank create FILE --kind bank|current|user   make a new, empty table file\n"
    "  qbank import FILE SOURCE.json                add the items of SOURCE.json to FILE\n"
    "  qbank export FILE                            write the items of FILE as JSON to standard output\n"
    "  qbank check FILE                             check the layout and content of FILE\n"
    "  qbank --help                                 show this text\n"
    "\n"
    "Exit codes: 0 success; 1 faults in the file or the source (one message each on standard\n"
    "error; the target file is left unchanged); 2 wrong use of the command line.\n";

void say(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
}

int usage(const QString& why)
{
    say(stderr, QStringLiteral("qbank: %1").arg(why));
    say(stderr, QStringLiteral("Try 'qbank --help'."));
    return Usage;
}

int report(const QStringList& faults, const QString& file)
{
    for (const QString& fault : faults)
        say(stderr, QStringLiteral("%1: %2").arg(file, fault));
    return faults.isEmpty() ? Ok : Faults;
}

struct OpenTable : store::StandaloneTable {
    store::TableKind kind = store::TableKind::Bank;

    explicit OpenTable(const QString& file) : StandaloneTable(file)
    {
        table.open();
        kind = store::tableKindOf(table.fieldNames(), table.storedKind());
    }

    // A layout other than the kind's: fields it lacks, and fields of its own that no
    // command would read or write.
    QStringList layoutFaults() const
    {
        QStringList faults;
        const QStringList fields = store::fieldNamesOf(kind);
        for (const QString& field : fields)
            if (!table.hasField(field))
                faults.append(QStringLiteral("the layout lacks the field %1").arg(field));
        for (const QString& field : table.fieldNames())
            if (!fields.contains(field, Qt::CaseInsensitive))
                faults.append(QStringLiteral("the layout has a field %1 that a %2 table does not have")
                                  .arg(field, store::kindName(kind)));
        return faults;
    }
};

qbank::Record readRecord(const store::Table& table)
{
    qbank::Record record;
    for (const QString& name : table.fieldNames())
        record[name.toUpper()] = table.value(name);
    return record;
}

// The item rules for every record of a source, each fault as "item N: ...".
QStringList itemFaults(const std::vector<qbank::Record>& records, store::TableKind kind)
{
    QStringList faults;
    for (size_t i = 0; i < records.size(); ++i)
        for (const store::ItemFault& fault : store::checkItem(records[i], kind))
            faults.append(fault.field.isEmpty()
                              ? QStringLiteral("item %1: %2").arg(i + 1).arg(fault.text)
                              : QStringLiteral("item %1: \"%2\" %3").arg(i + 1).arg(qbank::jsonNameOf(fault.field), fault.text));
    return faults;
}

int createCommand(const QString& file, const QString& kindText)
{
    store::TableKind kind;
    if (!store::parseKind(kindText, kind))
        return usage(QStringLiteral("unknown kind \"%1\" (bank, current or user)").arg(kindText));
    store::createTableFile(file, kind, store::TablePassword);
    return Ok;
}

// Adds the records in one transaction; a record that fails leaves the file as it was.
void appendRecords(store::Table& table, const std::vector<qbank::Record>& records)
{
    for (size_t i = 0; i < records.size(); ++i) {
        table.append();
        for (const auto& [field, value] : records[i])
            table.setValue(field, value);
        table.post();
        // A record without an id gets the next key, which may pass the field's 32 bits.
        const qint64 id = table.value(store::field::Q_ID).toLongLong();
        if (id > store::MaxItemId)
            throw store::StoreError(QStringLiteral("item %1 would get Q_ID %2, beyond the largest, %3")
                                        .arg(i + 1).arg(id).arg(store::MaxItemId));
    }
}

int importCommand(const QString& file, const QString& source)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return report({QStringLiteral("cannot read the source: %1").arg(in.errorString())}, source);
    OpenTable t(file);
    if (const QStringList faults = t.layoutFaults(); !faults.isEmpty())
        return report(faults, file);
    QStringList faults;
    const std::vector<qbank::Record> records = qbank::readItems(in.readAll(), t.kind, faults);
    faults += itemFaults(records, t.kind);
    if (!faults.isEmpty())
        return report(faults, source);

    // The write lock comes first, so that two imports cannot both find the bank empty.
    t.table.startTransaction();
    try {
        if (t.kind == store::TableKind::Bank && t.table.recordCount() > 0) {
            t.table.rollback();
            return report({QStringLiteral("the bank is not empty; import into a new file so that Q_ID runs 1..N")}, file);
        }
        appendRecords(t.table, records);
        t.table.commit();
    } catch (...) {
        t.table.cancel();
        t.table.rollback();
        throw;
    }
    return Ok;
}

int exportCommand(const QString& file)
{
    OpenTable t(file);
    if (const QStringList faults = t.layoutFaults(); !faults.isEmpty())
        return report(faults, file);
    QJsonArray items;
    for (t.table.first(); !t.table.eof(); t.table.next())
        items.append(qbank::toJson(readRecord(t.table), t.kind));
    QJsonObject root;
    root["items"] = items;
    std::fputs(QJsonDocument(root).toJson(QJsonDocument::Indented).constData(), stdout);
    return Ok;
}

int checkCommand(const QString& file)
{
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
            faults.append(fault.field.isEmpty() ? QStringLiteral("%1: %2").arg(where, fault.text)
                                                : QStringLiteral("%1: %2 %3").arg(where, fault.field, fault.text));
    }
    if (bank)
        faults += qbank::checkBankRules(records);
    return report(faults, file);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains("--help") || args.contains("-h")) {
        std::fputs(helpText, stdout);
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
        if (command == "import") {
            if (args.size() != 3)
                return usage(QStringLiteral("import needs: FILE SOURCE.json"));
            return importCommand(file, args[2]);
        }
        if (command == "export" && args.size() == 2)
            return exportCommand(file);
        if (command == "check" && args.size() == 2)
            return checkCommand(file);
        return usage(QStringLiteral("unknown command or arguments: %1").arg(args.join(' ')));
    } catch (const std::exception& e) {
        say(stderr, QStringLiteral("qbank: %1").arg(QString::fromUtf8(e.what())));
        return Faults;
    }
}
