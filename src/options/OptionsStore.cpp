#include "options/OptionsStore.h"

#include "platform/ApplicationTitle.h"

#include <QFileInfo>
#include <QSettings>

#include <functional>
#include <limits>

namespace options {

namespace {

const QString GroupName = QStringLiteral("Options");

constexpr qint64 Black = 0;
constexpr qint64 Navy = 8388608;  // 0x800000: blue 128
constexpr int DefaultFontSize = 10;

// What an option reads: whether its key is stored, the text stored under it, and the folder
// in which the default calculator is looked for.
struct Stored {
    bool present;
    QString text;
    const QString& programFolder;
};

// One key of the store: how its stored text is read into the values, its default taken when
// the text is missing or does not read, and the text written for it.
struct Option {
    QString key;
    std::function<void(OptionValues&, const Stored&)> read;
    std::function<QString(const OptionValues&)> write;
};

// A whole number stored as signed decimal text; `fallback` when missing or not a number.
qint64 integerOr(const QString& stored, qint64 fallback)
{
    bool ok = false;
    const qint64 value = stored.trimmed().toLongLong(&ok, 10);
    return ok ? value : fallback;
}

int int32Or(const QString& stored, int fallback)
{
    const qint64 value = integerOr(stored, fallback);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return fallback;
    return int(value);
}

bool booleanOr(const QString& stored, bool fallback)
{
    return integerOr(stored, fallback ? 1 : 0) != 0;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

Option booleanOption(const char* key, bool OptionValues::*member, bool fallback)
{
    return {QString::fromLatin1(key),
            [=](OptionValues& values, const Stored& stored) {
                values.*member = booleanOr(stored.text, fallback);
            },
            [=](const OptionValues& values) { return booleanText(values.*member); }};
}

Option integerOption(const char* key, int OptionValues::*member, int fallback)
{
    return {QString::fromLatin1(key),
            [=](OptionValues& values, const Stored& stored) {
                values.*member = int32Or(stored.text, fallback);
            },
            [=](const OptionValues& values) { return QString::number(values.*member); }};
}

// The calculator's path: any stored text, even an empty one; the default calculator when
// there is none.
Option calculatorPathOption()
{
    return {QStringLiteral("CalcPath"),
            [](OptionValues& values, const Stored& stored) {
                values.CalcPath =
                    stored.present ? stored.text : defaultCalcPath(stored.programFolder);
            },
            [](const OptionValues& values) { return values.CalcPath; }};
}

// One font's five keys, read in this order. The font starts, at its face, from the design
// font or from the font `startsFrom` read before it; a face replaces the start's only when
// not empty; colour and size are always set; bold and italic are only ever added.
QList<Option> fontOptions(const QString& prefix, FontSetting OptionValues::*member,
                          qint64 defaultColor, FontSetting OptionValues::*startsFrom = nullptr)
{
    return {
        {prefix + QStringLiteral("Name"),
         [=](OptionValues& values, const Stored& stored) {
             (values.*member).font = startsFrom ? (values.*startsFrom).font : designFont();
             if (!stored.text.isEmpty())
                 (values.*member).font.setFamily(stored.text);
         },
         [=](const OptionValues& values) { return (values.*member).font.family(); }},
        {prefix + QStringLiteral("Color"),
         [=](OptionValues& values, const Stored& stored) {
             (values.*member).color = colorFromValue(integerOr(stored.text, defaultColor));
         },
         [=](const OptionValues& values) { return QString::number(colorValue((values.*member).color)); }},
        {prefix + QStringLiteral("Size"),
         [=](OptionValues& values, const Stored& stored) {
             const int size = int32Or(stored.text, DefaultFontSize);
             // A size below one point cannot be shown; it reads as the default.
             (values.*member).font.setPointSize(size < 1 ? DefaultFontSize : size);
         },
         [=](const OptionValues& values) { return QString::number((values.*member).font.pointSize()); }},
        {prefix + QStringLiteral("Bold"),
         [=](OptionValues& values, const Stored& stored) {
             if (booleanOr(stored.text, false))
                 (values.*member).font.setBold(true);
         },
         [=](const OptionValues& values) { return booleanText((values.*member).font.bold()); }},
        {prefix + QStringLiteral("Italic"),
         [=](OptionValues& values, const Stored& stored) {
             if (booleanOr(stored.text, false))
                 (values.*member).font.setItalic(true);
         },
         [=](const OptionValues& values) { return booleanText((values.*member).font.italic()); }},
    };
}

// The options, in the order in which they are loaded. A new option is one more line
// here and one more member of OptionValues.
const QList<Option>& optionTable()
{
    static const QList<Option> table = [] {
        QList<Option> options;
        options << fontOptions(QStringLiteral("QFont"), &OptionValues::questionFont, Black);
        options << fontOptions(QStringLiteral("AFont"), &OptionValues::answersFont, Black);
        // The explanation starts from the answers font, so its face defaults to the answers face.
        options << fontOptions(QStringLiteral("EXPFont"), &OptionValues::explanationFont, Navy,
                               &OptionValues::answersFont);
        options << booleanOption("ShowLearnBtn", &OptionValues::ShowLearnBtn, false)
                << booleanOption("ShowCalcBtn", &OptionValues::ShowCalcBtn, true)
                << booleanOption("TimerOn", &OptionValues::TimerOn, true)
                << integerOption("DefaultTime", &OptionValues::DefaultTime, 90)
                << calculatorPathOption()
                << booleanOption("ShuffleChoices", &OptionValues::ShuffleChoices, false);
        return options;
    }();
    return table;
}

}  // namespace

const QStringList& optionKeys()
{
    static const QStringList keys = [] {
        QStringList names;
        for (const Option& option : optionTable())
            names << option.key;
        return names;
    }();
    return keys;
}

QFont designFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(DefaultFontSize);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

QColor colorFromValue(qint64 value)
{
    const auto bits = quint32(value) & 0xFFFFFFu;
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

qint64 colorValue(const QColor& color)
{
    return qint64(color.red()) | (qint64(color.green()) << 8) | (qint64(color.blue()) << 16);
}

const QStringList& calculatorNames()
{
    static const QStringList names = {"gnome-calculator", "kcalc",        "galculator",
                                      "mate-calc",        "qalculate-qt", "xcalc"};
    return names;
}

QString defaultCalcPath(const QString& programFolder)
{
    for (const QString& name : calculatorNames()) {
        const QString path = programFolder + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return programFolder + QStringLiteral("/xcalc");
}

std::unique_ptr<QSettings> openStore()
{
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             platform::ApplicationTitle, platform::ApplicationTitle);
    store->beginGroup(GroupName);
    return store;
}

OptionValues LoadOptions(const QString& programFolder)
{
    const std::unique_ptr<QSettings> store = openStore();
    OptionValues values;
    for (const Option& option : optionTable()) {
        const QVariant stored = store->value(option.key);
        option.read(values, Stored{stored.isValid(), stored.toString(), programFolder});
    }
    return values;
}

void SaveOptions(const OptionValues& values)
{
    const std::unique_ptr<QSettings> store = openStore();
    for (const Option& option : optionTable())
        store->setValue(option.key, option.write(values));
    store->sync();
}

}  // namespace options
