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

// The record's field names, one constant each, so that a misspelt name does not compile.
namespace field {
inline constexpr char Q_ID[] = "Q_ID";
inline constexpr char Q_EXAM_N[] = "Q_EXAM_N";
inline constexpr char Q_SECT[] = "Q_SECT";
inline constexpr char Q_TEXT[] = "Q_TEXT";
inline constexpr char Q_EXPL[] = "Q_EXPL";
inline constexpr char Q_TYPE[] = "Q_TYPE";
inline constexpr char Q1[] = "Q1";
inline constexpr char Q2[] = "Q2";
inline constexpr char Q3[] = "Q3";
inline constexpr char Q4[] = "Q4";
inline constexpr char Q5[] = "Q5";
inline constexpr char Q6[] = "Q6";
inline constexpr char A1[] = "A1";
inline constexpr char A2[] = "A2";
inline constexpr char A3[] = "A3";
inline constexpr char A4[] = "A4";
inline constexpr char A5[] = "A5";
inline constexpr char A6[] = "A6";
inline constexpr char Q_SIM[] = "Q_SIM";
inline constexpr char PICT1[] = "PICT1";
inline constexpr char PICT2[] = "PICT2";
inline constexpr char Q_OR_NUMBER[] = "Q_OR_NUMBER";
inline constexpr char U_MEMO[] = "U_MEMO";

// How many answers an item can have.
inline constexpr int AnswerCount = 6;
// The text field of answer k (1 to 6) and its key flag.
inline constexpr const char* const answerText[AnswerCount] = {Q1, Q2, Q3, Q4, Q5, Q6};
inline constexpr const char* const answerKey[AnswerCount] = {A1, A2, A3, A4, A5, A6};
inline QString text(int k) { return QLatin1String(answerText[k - 1]); }
inline QString key(int k) { return QLatin1String(answerKey[k - 1]); }
}  // namespace field

// The name of the one table inside every table file.
inline constexpr const char* ItemsTable = "items";

// How many sections the items fall into: Q_SECT runs 1 to SectionCount.
inline constexpr int SectionCount = 4;
// The names of the sections; Q_SECT n is entry n - 1.
inline const QStringList SectionNames = {
    QStringLiteral("Standards and Terminology"), QStringLiteral("Planning"),
    QStringLiteral("Implementation"), QStringLiteral("Troubleshooting")};

// Fields of a kind of table, in their stored order; Q_ID comes first.
const QList<FieldDef>& fieldsOf(TableKind kind);
QStringList fieldNamesOf(TableKind kind);
bool hasField(TableKind kind, const char* name);  // the exact name, as in store::field
FieldType fieldTypeOf(const QString& name);  // letter case ignored; Text when unknown
QString kindName(TableKind kind);
bool parseKind(const QString& text, TableKind& kind);

}  // namespace store
