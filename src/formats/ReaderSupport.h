#pragma once
// What the readers and writers of the formats share: how a fault or a skipped question is
// carried and reported, and the small rules every writer follows.

#include "formats/Format.h"

#include <optional>

namespace formats {

// Thrown inside a reader: the source is unusable and nothing of it is taken.
struct Malformed {
    Problem problem;
};

// Thrown inside a reader for one question: a fault in it, or a question that is fine in its
// format but not one of our items. The question is left out; `line` and `column`, when given,
// are the fault's own place, else the question's is named.
struct QuestionFault {
    QString text;
    int line = 0;
    int column = 0;
};

// The part of a format's reader that knows the format: the questions of one opened source, in
// order. Format::read runs the loop around it.
class QuestionReader {
public:
    virtual ~QuestionReader() = default;
    // Moves to the next question; false when there is none.
    virtual bool next() = 0;
    // Where the current question begins.
    virtual Problem place() const = 0;
    // The current question as an item; notes on what was left out of it go to `notes`.
    // Throws QuestionFault.
    virtual Item readQuestion(QList<Problem>& notes) = 0;
};

// The part of a format's writer that knows the format: the items of one source, in order.
// Format::write runs the loop around it.
class ItemWriter {
public:
    virtual ~ItemWriter() = default;
    // Why the item cannot be written in the format, or an empty text. By default: an item
    // without answers or without a correct answer.
    virtual QString refusal(const Item& item) const;
    // What of the item the format cannot carry ("blank lines", "the explanation"), if anything;
    // its exhibits are named by the loop for formats that embed no pictures.
    virtual QStringList losses(const Item&) const { return {}; }
    virtual void add(const Item& item, int index) = 0;
    // The whole source.
    virtual QByteArray finish() = 0;
};

// A result that holds only the fault of a malformed source.
ReadResult malformedResult(const Problem& fault);
// Records a question left out, with its place.
void skipQuestion(ReadResult& result, Problem where, const QString& why);
// The text of a UTF-8 source; throws Malformed with the place of the first byte that is not.
QString decodeText(const QByteArray& source);

// The exhibit a picture's alternative text names ("Exhibit 2" -> 1), or -1.
int exhibitOfAltText(const QString& alt);
// The text writers give a picture so that exhibitOfAltText finds it again.
QString exhibitAltText(int exhibit);
// Puts a picture in the exhibit slot it asks for, or else in the first free one; false when
// both are taken.
bool placePicture(Item& item, const Picture& picture, int wanted);

// True when some line of `text` is indented or blank: what plain-text formats lose.
bool hasLayout(const QString& text);
// True when `item` begins a new section after `current` (which it updates): writers put a
// category before it.
bool entersSection(int& current, const Item& item);
// The weight of each key of a multiple-response question with `keys` keys, in percent as
// Moodle accepts it ("50", "33.33333").
QString keyShare(int keys);

}  // namespace formats
