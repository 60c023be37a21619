#include "formats/Format.h"

#include "formats/AikenFormat.h"
#include "formats/GiftFormat.h"
#include "formats/ItemTable.h"
#include "formats/JsonFormat.h"
#include "formats/MoodleXmlFormat.h"
#include "formats/QtiFormat.h"
#include "formats/ReaderSupport.h"
#include "store/ItemCheck.h"

#include <QFileInfo>

#include <stdexcept>

namespace formats {

QString Problem::toString(const QString& sourceName) const
{
    QString where = part.isEmpty() ? sourceName : sourceName + QLatin1Char('/') + part;
    if (line > 0)
        where += QStringLiteral(" line %1").arg(line);
    if (line > 0 && column > 0)
        where += QStringLiteral(", column %1").arg(column);
    return where + QStringLiteral(": ") + text;
}

namespace {

// Why an item read from a source breaks the rules of an item record, or an empty text. The
// section and the pictures are settled later, when the items are fitted to their table.
QString ruleFaults(const Item& item, store::TableKind kind)
{
    namespace f = store::field;
    QStringList faults;
    for (const store::ItemFault& fault : store::checkItem(recordOf(item), kind)) {
        if (fault.field == QLatin1String(f::Q_SECT) || fault.field == QLatin1String(f::PICT1) || fault.field == QLatin1String(f::PICT2))
            continue;
        faults.append(store::faultText(fault));
    }
    return faults.join(QStringLiteral("; "));
}

}  // namespace

QStringList Format::filePatterns() const
{
    QStringList patterns;
    for (const QString& extension : extensions())
        patterns.append(QStringLiteral("*.") + extension);
    return patterns;
}

QString Format::nameFilter() const
{
    return QStringLiteral("%1 (%2)").arg(title(), filePatterns().join(QLatin1Char(' ')));
}

std::unique_ptr<QuestionReader> Format::openSource(const QByteArray&) const
{
    throw Malformed{{0, 0, QStringLiteral("%1 is read as a whole").arg(title()), {}}};
}

std::unique_ptr<QuestionReader> Format::openStream(QIODevice&) const
{
    return nullptr;
}

namespace {

// The reading loop over the source `open` gives; items go to `take` when given.
ReadResult readEach(const std::function<std::unique_ptr<QuestionReader>()>& open, store::TableKind kind,
                    const std::function<void(Item&)>& take)
{
    ReadResult result;
    try {
        const std::unique_ptr<QuestionReader> reader = open();
        while (reader->next()) {
            Problem place = reader->place();
            try {
                Item item = reader->readQuestion(result.problems);
                if (item.question.trimmed().isEmpty())
                    throw QuestionFault{QStringLiteral("the question has no text")};
                if (const QString faults = ruleFaults(item, kind); !faults.isEmpty())
                    throw QuestionFault{faults};
                if (take)
                    take(item);
                else
                    result.items.push_back(std::move(item));
            } catch (const QuestionFault& fault) {
                if (fault.line > 0) {
                    place.line = fault.line;
                    place.column = fault.column;
                }
                skipQuestion(result, place, fault.text);
            }
        }
    } catch (const Malformed& m) {
        return malformedResult(m.problem);
    }
    return result;
}

}  // namespace

ReadResult Format::read(const QByteArray& source, store::TableKind kind) const
{
    return readEach([&] { return openSource(source); }, kind, {});
}

ReadResult Format::readStream(QIODevice& source, store::TableKind kind, const std::function<void(Item&)>& take) const
{
    std::unique_ptr<QuestionReader> streamed;
    try {
        streamed = openStream(source);
    } catch (const Malformed& m) {
        return malformedResult(m.problem);
    }
    if (streamed)
        return readEach([&] { return std::move(streamed); }, kind, take);
    ReadResult result = read(source.readAll(), kind);
    if (take) {
        for (Item& item : result.items)
            take(item);
        result.items.clear();
    }
    return result;
}

std::unique_ptr<ItemWriter> Format::startWriting() const
{
    throw std::logic_error("a format without an ItemWriter must override write()");
}

WriteResult Format::write(const std::vector<Item>& items, store::TableKind) const
{
    WriteResult result;
    const std::unique_ptr<ItemWriter> writer = startWriting();
    for (size_t i = 0; i < items.size(); ++i) {
        const Item item = items[i].compacted();
        const QString name = itemName(item, int(i));
        if (const QString why = writer->refusal(item); !why.isEmpty()) {
            result.problems.append({0, 0, QStringLiteral("%1: %2; skipped").arg(name, why), {}});
            ++result.skipped;
            continue;
        }
        QStringList lost = writer->losses(item);
        if (!embedsPictures())
            for (const Picture& picture : item.pictures)
                if (!picture.isEmpty())
                    lost.append(QStringLiteral("the exhibit %1").arg(picture.name));
        if (!lost.isEmpty())
            result.problems.append({0, 0, QStringLiteral("%1: %2 cannot carry %3; left out").arg(name, title(), lost.join(QStringLiteral(", "))), {}});
        writer->add(item, int(i));
        ++result.written;
    }
    result.data = writer->finish();
    return result;
}

QList<const Format*> allFormats()
{
    static const JsonFormat json;
    static const AikenFormat aiken;
    static const GiftFormat gift;
    static const MoodleXmlFormat moodle;
    static const QtiFormat qti;
    // The exchange formats first, as people look for them; our own JSON last.
    return {&gift, &aiken, &moodle, &qti, &json};
}

QString formatNames(const QString& separator)
{
    QStringList names;
    for (const Format* f : allFormats())
        names.append(f->name());
    return names.join(separator);
}

const Format* formatNamed(const QString& name)
{
    for (const Format* f : allFormats())
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

const Format* formatForFile(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const Format* f : allFormats())
        if (f->extensions().contains(suffix, Qt::CaseInsensitive))
            return f;
    return nullptr;
}

}  // namespace formats
