#pragma once
// The user's preferences in the settings store: the three item fonts, the Learn Now and
// calculator buttons, the exam clock, the offered time limit, the calculator program and
// whether the choices are shuffled.
//
// The store is the user's config folder (organisation and application "Quizlore Prep 2.0"),
// group "Options"; every value is kept as text. Integers are signed decimal text, booleans
// "1" or "0" (read back as an integer: any non-zero number is true), colours the value
// 0x00BBGGRR in decimal. A missing value, or a number that does not read as a whole
// number, yields its default.
//
// Every key, its default and its reading rule are written once, in the table of options in
// OptionsStore.cpp; loading, saving and optionKeys() all walk that table.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace options {

// A font together with its colour, as the store keeps them.
struct FontSetting {
    QFont font;
    QColor color;
};

// Everything LoadOptions reads, in memory. The defaults are the store's: what LoadOptions
// gives for an empty store.
struct OptionValues {
    FontSetting questionFont;     // QFont* keys
    FontSetting answersFont;      // AFont* keys
    FontSetting explanationFont;  // EXPFont* keys
    bool ShowLearnBtn{};
    bool ShowCalcBtn{};
    bool TimerOn{};
    int DefaultTime{};  // minutes
    QString CalcPath;
    // Each exam start gives every item's choices a new order (off: the stored order).
    bool ShuffleChoices{};
};

// Every key, in the order in which they are loaded.
const QStringList& optionKeys();

// The item area's design font: "MS Sans Serif", 10 points, no style.
QFont designFont();

// Colours as the store writes them: 0x00BBGGRR.
QColor colorFromValue(qint64 value);
qint64 colorValue(const QColor& color);

// The calculators looked for in the system program folder, in order of preference.
const QStringList& calculatorNames();
// The default calculator: the first of calculatorNames() that exists in `programFolder`,
// else `programFolder` + "/xcalc".
QString defaultCalcPath(const QString& programFolder);

// The settings object of the store, positioned in the group "Options".
std::unique_ptr<QSettings> openStore();

// Reads every key and applies the font rules; `programFolder` is the folder in which
// the default calculator is looked for.
OptionValues LoadOptions(const QString& programFolder);
// Writes every key from `values`.
void SaveOptions(const OptionValues& values);

}  // namespace options
