#include "sampler/SamplerTransfer.h"

#include "formats/Format.h"
#include "formats/ItemTable.h"
#include "platform/Prompts.h"
#include "store/Fields.h"
#include "store/ItemCheck.h"
#include "store/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace sampler {

namespace {

const QString ImportCaption = QStringLiteral("Import questions");
const QString ExportCaption = QStringLiteral("Export questions");
// A message box lists this many problem lines; the import report scrolls through all of them.
constexpr int BoxProblemLines = 10;

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

QString plural(qsizetype count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// The folder the last question file came from or went to: the next dialog opens there.
QString& transferFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

// "GIFT (*.gift);;Aiken (*.txt);;..." for the file dialogs; with `anyFormat`, first a filter
// of every question file and last one of all files.
QString fileFilter(bool anyFormat)
{
    QStringList filters, every;
    for (const formats::Format* f : formats::allFormats()) {
        filters.append(f->nameFilter());
        every.append(f->filePatterns());
    }
    if (anyFormat) {
        filters.prepend(QStringLiteral("Question files (%1)").arg(every.join(QLatin1Char(' '))));
        filters.append(QStringLiteral("All files (*)"));
    }
    return filters.join(QStringLiteral(";;"));
}

// Asks for the question file to import from or, for an export, to write; the next dialog opens
// in its folder. An empty text after a cancel.
QString askForFile(bool forExport, QWidget* parent)
{
    platform::Prompts& prompts = platform::Prompts::current();
    const QString file = forExport
                             ? prompts.saveFileName(parent, ExportCaption, transferFolder(), fileFilter(false))
                             : prompts.openFileName(parent, ImportCaption, transferFolder(), fileFilter(true));
    if (!file.isEmpty())
        transferFolder() = QFileInfo(file).absolutePath();
    return file;
}

// The format that the extension of `file` names.
const formats::Format& formatOf(const QString& file)
{
    if (const formats::Format* f = formats::formatForFile(file))
        return *f;
    QStringList extensions;
    for (const formats::Format* f : formats::allFormats())
        for (const QString& extension : f->extensions())
            extensions.append(QLatin1Char('.') + extension);
    fail(QStringLiteral("Cannot tell the question format of %1 from its extension: use %2")
             .arg(QFileInfo(file).fileName(), extensions.join(QStringLiteral(", "))));
}

QStringList linesOf(const QList<formats::Problem>& problems, const QString& sourceName)
{
    QStringList lines;
    for (const formats::Problem& p : problems)
        lines.append(p.toString(sourceName));
    return lines;
}

// The first lines for a message box, and how many more there are.
QString boxLines(const QStringList& lines)
{
    QStringList shown = lines.mid(0, BoxProblemLines);
    if (lines.size() > shown.size())
        shown.append(QStringLiteral("... and %1 more").arg(lines.size() - shown.size()));
    return shown.join(QLatin1Char('\r'));
}

// ---------------------------------------------------------------- import

// What an import would add: the items that can go into the user set, and a line for each
// question left out or changed.
struct ImportPlan {
    std::vector<formats::Item> items;
    QStringList notes;
    int skipped = 0;
    int withoutSection = 0;
};

// Why `item` cannot go into the user set, or an empty text. A missing section is no fault:
// the user chooses one.
QString faultOf(const formats::Item& item)
{
    QStringList faults;
    if (item.question.trimmed().isEmpty())
        faults.append(QStringLiteral("no question text"));
    for (const store::ItemFault& fault : store::checkItem(formats::recordOf(item), store::TableKind::User)) {
        if (item.section == 0 && fault.field == QLatin1String(store::field::Q_SECT))
            continue;
        faults.append(store::faultText(fault));
    }
    return faults.join(QStringLiteral("; "));
}

ImportPlan planImport(formats::ReadResult read, const QString& sourceName)
{
    ImportPlan plan;
    plan.skipped = read.skipped;
    plan.notes = linesOf(read.problems, sourceName);
    // Section 0 leaves the section open for the user's choice.
    plan.notes += linesOf(formats::fitItems(read.items, store::TableKind::User, 0), sourceName);
    for (size_t i = 0; i < read.items.size(); ++i) {
        formats::Item& item = read.items[i];
        item.id = 0;  // the user set numbers the new items on from its own
        if (const QString fault = faultOf(item); !fault.isEmpty()) {
            const formats::Problem problem{item.line, 0,
                                           QStringLiteral("%1: %2; skipped").arg(formats::itemName(item, int(i)), fault), {}};
            plan.notes.append(problem.toString(sourceName));
            ++plan.skipped;
            continue;
        }
        plan.withoutSection += item.section == 0;
        plan.items.push_back(std::move(item));
    }
    return plan;
}

platform::ChoiceRequest reportOf(const ImportPlan& plan, const QString& sourceName)
{
    platform::ChoiceRequest report;
    report.caption = ImportCaption;
    report.text = QStringLiteral("%1 from %2 will be added to the user set.")
                      .arg(plural(plan.items.size(), QStringLiteral("item"), QStringLiteral("items")), sourceName);
    if (plan.skipped > 0)
        report.text += QStringLiteral("\r%1 skipped, for the reasons below.")
                           .arg(plural(plan.skipped, QStringLiteral("question is"), QStringLiteral("questions are")));
    else if (!plan.notes.isEmpty())
        report.text += QStringLiteral("\rNotes:");
    report.details = plan.notes;
    if (plan.withoutSection > 0) {
        report.choiceLabel = QStringLiteral("Section for the %1 without one:")
                                 .arg(plural(plan.withoutSection, QStringLiteral("item"), QStringLiteral("items")));
        report.choices = store::SectionNames;
    }
    return report;
}

// Appends `items` to the user set in one transaction, out of the view's sight, and stands on
// the first of them.
void addItems(store::Table& table, std::vector<formats::Item>& items)
{
    // A change begun by choosing a type or a section is kept, as moving to another item keeps it.
    if (table.state() == store::DataSetState::Edit || table.state() == store::DataSetState::Insert)
        table.post();
    const std::int64_t lastKey = table.visibleKeys().empty() ? 0 : table.visibleKeys().back();
    table.disableControls();
    struct ShowAgain {
        store::Table& table;
        ~ShowAgain() { table.enableControls(); }
    } showAgain{table};
    formats::importItems(table, items);
    const auto& keys = table.visibleKeys();
    const auto firstNew = std::upper_bound(keys.begin(), keys.end(), lastKey);
    if (firstNew != keys.end())
        table.findKey(*firstNew);
}

// ---------------------------------------------------------------- export

// Every item of the user set, read through a table of its own so that the sampler's view
// stays where it is.
std::vector<formats::Item> storedItems(const store::Table& userSet)
{
    store::Table reader;
    reader.setSession(userSet.session());
    reader.setTableName(userSet.tableName());
    reader.setExpectedFields(store::fieldNamesOf(store::TableKind::User));
    reader.open();
    return formats::readTableItems(reader);
}

// Writes `data` to `file` whole or not at all.
void save(const QString& file, const QByteArray& data)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        fail(QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(file), out.errorString()));
}

}  // namespace

int importQuestions(store::Table& table, QWidget* parent)
{
    const QString file = askForFile(false, parent);
    if (file.isEmpty())
        return 0;
    const QString name = QFileInfo(file).fileName();
    const formats::Format& format = formatOf(file);
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(file), in.errorString()));
    formats::ReadResult read = format.readStream(in, store::TableKind::User);
    if (read.malformed) {
        const QString fault = read.problems.isEmpty() ? QStringLiteral("%1: not a %2 file").arg(name, format.title())
                                                      : read.problems.constFirst().toString(name);
        fail(fault + QStringLiteral("\rNothing was imported"));
    }

    ImportPlan plan = planImport(std::move(read), name);
    if (plan.items.empty()) {
        QString text = QStringLiteral("%1 holds no questions that can be added to the user set.").arg(name);
        if (!plan.notes.isEmpty())
            text += QLatin1Char('\r') + boxLines(plan.notes);
        platform::inform(ImportCaption, text);
        return 0;
    }
    const int section = platform::Prompts::current().askChoice(reportOf(plan, name), parent);
    if (section < 0)
        return 0;
    for (formats::Item& item : plan.items)
        if (item.section == 0)
            item.section = section + 1;
    addItems(table, plan.items);
    return int(plan.items.size());
}

int exportQuestions(const store::Table& table, QWidget* parent)
{
    const std::vector<formats::Item> items = storedItems(table);
    if (items.empty()) {
        platform::inform(ExportCaption, QStringLiteral("The question set is empty: there is nothing to export."));
        return 0;
    }
    const QString file = askForFile(true, parent);
    if (file.isEmpty())
        return 0;
    const QString name = QFileInfo(file).fileName();
    const formats::WriteResult written = formatOf(file).write(items, store::TableKind::User);
    save(file, written.data);
    QString text = QStringLiteral("%1 written to %2.")
                       .arg(plural(written.written, QStringLiteral("item"), QStringLiteral("items")), name);
    if (!written.problems.isEmpty())
        text += QLatin1Char('\r') + boxLines(linesOf(written.problems, name));
    platform::inform(ExportCaption, text);
    return written.written;
}

}  // namespace sampler
