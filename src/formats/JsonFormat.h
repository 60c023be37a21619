#pragma once
// Our own JSON: {"items": [ {...}, ... ]}, one object per table record. Strict: every fault
// (unknown or misplaced field, wrong type, value out of range) refuses the whole source.

#include "formats/Format.h"

namespace formats {

class JsonFormat : public Format {
public:
    QString name() const override { return QStringLiteral("json"); }
    QString title() const override { return QStringLiteral("JSON"); }
    QStringList extensions() const override { return {QStringLiteral("json")}; }
    ReadResult read(const QByteArray& source, store::TableKind kind) const override;
    WriteResult write(const std::vector<Item>& items, store::TableKind kind) const override;
};

// The JSON name of a table field ("section" for Q_SECT, "answers" for Q1..Q6, "correct" for
// A1..A6); the field itself when it has none.
QString jsonNameOf(const QString& field);

}  // namespace formats
