#pragma once
// The record layouts of the three table files.

#include <QString>
#include <QStringList>

namespace store {

enum class TableKind { Bank, Current, User };

// How each field is stored: whole numbers, texts and 0/1 booleans.
enum class FieldType { Integer, Text, Boolean };

struct FieldDef {
    const char* name;
    FieldType type;
};

// The file names the program opens in its working directory.
inline const QString BankFileName = QStringLiteral("qbank2.DAT");
inline const QString CurrentSetFileName = QStringLiteral("ces.DAT");
inline const QString UserSetFileName = QStringLiteral("qbank2usr.DAT");

// The name of the one table inside every table file.
inline constexpr const char* ItemsTable = "items";

// Fields of a kind of table, in their stored order; Q_ID comes first.
const QList<FieldDef>& fieldsOf(TableKind kind);
QStringList fieldNamesOf(TableKind kind);
FieldType fieldTypeOf(const QString& name);  // letter case ignored; Text when unknown
QString kindName(TableKind kind);
bool parseKind(const QString& text, TableKind& kind);

}  // namespace store
