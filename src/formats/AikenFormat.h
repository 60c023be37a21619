#pragma once
// Aiken: plain text, single response only. A question (one or more lines), its answers
// "A." to "F." (or "A)"), then "ANSWER: X"; questions are separated by blank lines.

#include "formats/Format.h"

namespace formats {

class AikenFormat : public Format {
public:
    QString name() const override { return QStringLiteral("aiken"); }
    QString title() const override { return QStringLiteral("Aiken"); }
    QStringList extensions() const override { return {QStringLiteral("txt")}; }
protected:
    std::unique_ptr<QuestionReader> openSource(const QByteArray& source) const override;
    std::unique_ptr<ItemWriter> startWriting() const override;
};

}  // namespace formats
