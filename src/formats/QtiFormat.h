#pragma once
// QTI 2.1 content packages: a .zip with imsmanifest.xml naming one assessmentItem file per
// question. An item has one choiceInteraction (maxChoices 1 = single response) and its
// correctResponse; modal feedback or a rubric block is the explanation; <img> in the item
// body are the exhibits, stored in the package. An assessmentTest whose sections bear the
// section names gives the section of its items.

#include "formats/Format.h"

namespace formats {

class QtiFormat : public Format {
public:
    QString name() const override { return QStringLiteral("qti"); }
    QString title() const override { return QStringLiteral("QTI 2.1 package"); }
    QStringList extensions() const override { return {QStringLiteral("zip")}; }
    bool embedsPictures() const override { return true; }
protected:
    std::unique_ptr<QuestionReader> openSource(const QByteArray& source) const override;
    std::unique_ptr<ItemWriter> startWriting() const override;
};

}  // namespace formats
