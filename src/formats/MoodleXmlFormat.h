#pragma once
// Moodle XML: <quiz> with <question type="multichoice"> (and "truefalse"), <answer fraction>,
// <generalfeedback> as the explanation, <question type="category"> naming the section, and
// pictures embedded as <file encoding="base64"> in the question text as the exhibits.

#include "formats/Format.h"

namespace formats {

class MoodleXmlFormat : public Format {
public:
    QString name() const override { return QStringLiteral("moodle"); }
    QString title() const override { return QStringLiteral("Moodle XML"); }
    QStringList extensions() const override { return {QStringLiteral("xml")}; }
    bool embedsPictures() const override { return true; }
protected:
    std::unique_ptr<QuestionReader> openSource(const QByteArray& source) const override;
    std::unique_ptr<QuestionReader> openStream(QIODevice& source) const override;
    std::unique_ptr<ItemWriter> startWriting() const override;
};

}  // namespace formats
