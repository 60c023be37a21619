#pragma once
// Helpers of the format tests: expected items, item comparison and the sample files.

#include "formats/Item.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace formatstest {

// What a comparison looks at: the fields a format can carry.
enum Carried : unsigned {
    Question = 1,
    Answers = 2,  // texts, keys and the response type
    Explanation = 4,
    Section = 8,
    PictureData = 16,
    PictureNames = 32,
    RecordFields = 64,  // id, exam, sim, Q_OR_NUMBER, memo
    Everything = 127,
};

// An item with a question, its answers, the key letters ("ac") and an explanation.
formats::Item makeItem(int section, bool multiple, const QString& question, const QStringList& answers,
                       const QString& keys, const QString& explanation = {});

// The first difference between two items in the carried fields, or an empty text.
QString difference(const formats::Item& actual, const formats::Item& expected, unsigned carried);
// The same for lists of items.
QString difference(const std::vector<formats::Item>& actual, const std::vector<formats::Item>& expected,
                   unsigned carried);

QByteArray readBytes(const QString& path);
// The files of a folder (recursively) packed as a zip archive.
QByteArray zipFolder(const QString& folder);
// A whole 24-bit Windows bitmap of `width` x `height` pixels, every byte of its pixels `fill`:
// a picture that passes the exhibit checks.
QByteArray bitmap(int width, int height, char fill);

}  // namespace formatstest
