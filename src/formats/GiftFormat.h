#pragma once
// GIFT, the text format of question banks: "Question {=right ~wrong ####explanation}",
// "{~%50%a ~%50%b ~%-100%c}" for multiple response, "{T}"/"{F}" for true/false,
// "$CATEGORY: path" naming the section, "//" comments and "\" escapes.

#include "formats/Format.h"

namespace formats {

class GiftFormat : public Format {
public:
    QString name() const override { return QStringLiteral("gift"); }
    QString title() const override { return QStringLiteral("GIFT"); }
    QStringList extensions() const override { return {QStringLiteral("gift")}; }
protected:
    std::unique_ptr<QuestionReader> openSource(const QByteArray& source) const override;
    std::unique_ptr<ItemWriter> startWriting() const override;
};

}  // namespace formats
