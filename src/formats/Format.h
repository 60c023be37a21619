#pragma once
// One question format: a reader and a writer behind one small interface. Readers never throw
// for bad input: they report problems with their places. A question with a fault is left out
// with its place and reason; only a source that cannot be read as the format at all (not its
// text encoding, broken XML, not a zip, no manifest) is malformed and gives no items. Our own
// JSON is strict: any fault makes it malformed.

#include "formats/Item.h"
#include "store/Fields.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;

namespace formats {

class QuestionReader;
class ItemWriter;

// A problem found in a source, or an item a writer had to leave out.
struct Problem {
    int line = 0;    // 0 = no line
    int column = 0;  // 0 = no column
    QString text;
    QString part;  // a file inside a package ("items/item3.xml"), else empty

    // "questions.gift line 42: text", "file.xml line 17, column 5: text", "file: text".
    QString toString(const QString& sourceName) const;
};

struct ReadResult {
    std::vector<Item> items;
    QList<Problem> problems;  // skipped items and notes; the one fault when malformed
    bool malformed = false;   // then `items` is empty
    int skipped = 0;          // questions of the source left out
};

struct WriteResult {
    QByteArray data;
    QList<Problem> problems;  // one line per item left out or changed
    int written = 0;
    int skipped = 0;
};

class Format {
public:
    virtual ~Format() = default;
    virtual QString name() const = 0;         // "gift", as given to --format
    virtual QString title() const = 0;        // "GIFT", for people
    virtual QStringList extensions() const = 0;  // without the dot, first is the one written
    // True when the format carries the bytes of exhibit pictures (give them to write()).
    virtual bool embedsPictures() const { return false; }
    QStringList filePatterns() const;  // "*.gift"
    // The filter of a file dialog: "GIFT (*.gift)".
    QString nameFilter() const;
    // `kind` is the table the items go to or come from; only our JSON depends on it.
    // The reading loop: every question of the source through the format's QuestionReader,
    // one with a fault or one that breaks an item rule left out with its place.
    virtual ReadResult read(const QByteArray& source, store::TableKind kind) const;
    // The same from a device, question by question where the format can, else as a whole.
    // With `take`, each item goes to it as soon as it is read instead of into the result, so
    // that a large source is never held whole. A source found malformed after some items were
    // taken gives the malformed result all the same: the caller undoes what it did with them.
    ReadResult readStream(QIODevice& source, store::TableKind kind, const std::function<void(Item&)>& take = {}) const;
    // The writing loop: every item, answers moved up over gaps, through the format's
    // ItemWriter; one it cannot write is left out, and what of an item the format cannot carry
    // (exhibits, indentation, ...) is named, each with a problem line.
    virtual WriteResult write(const std::vector<Item>& items, store::TableKind kind) const;

protected:
    // The source opened for reading question by question; throws Malformed (ReaderSupport.h)
    // when it cannot be read as the format at all. Formats that override read() need none.
    virtual std::unique_ptr<QuestionReader> openSource(const QByteArray& source) const;
    // The same on a device, for formats that read question by question from it; nullptr (the
    // default) when the format reads its source as a whole.
    virtual std::unique_ptr<QuestionReader> openStream(QIODevice& source) const;
    // A new writer of one source; formats that override write() need none.
    virtual std::unique_ptr<ItemWriter> startWriting() const;
};

// Every format, in the order people are offered them.
QList<const Format*> allFormats();
// The names given to --format, joined by `separator`: "gift|aiken|moodle|qti|json".
QString formatNames(const QString& separator);
const Format* formatNamed(const QString& name);       // nullptr when unknown
const Format* formatForFile(const QString& fileName);  // by extension; nullptr when unknown

}  // namespace formats
