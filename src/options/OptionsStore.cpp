#include "options/OptionsStore.h"

#include <QFileInfo>
#include <QSettings>

#include <limits>

namespace options {

namespace {

const QString StoreName = QStringLiteral("Quizlore Prep 2.0");
const QString GroupName = QStringLiteral("Options");

constexpr qint64 Navy = 8388608;  // 0x800000: blue 128
constexpr int DefaultFontSize = 10;

// The text stored under `key`, or a null string when there is none.
QString readText(QSettings& store, const QString& key)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return QString();
    return value.toString();
}

// A whole number stored as signed decimal text; `fallback` when missing or not a number.
qint64 readInteger(QSettings& store, const QString& key, qint64 fallback)
{
    const QString text = readText(store, key).trimmed();
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? value : fallback;
}

int readInt32(QSettings& store, const QString& key, int fallback)
{
    const qint64 value = readInteger(store, key, fallback);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return fallback;
    return int(value);
}

bool readBoolean(QSettings& store, const QString& key, bool fallback)
{
    return readInteger(store, key, fallback ? 1 : 0) != 0;
}

// One font's five keys: face only when not empty; colour and size always; bold and italic
// only ever added.
void readFont(QSettings& store, const QString& prefix, FontSetting& setting, qint64 defaultColor)
{
    const QString face = readText(store, prefix + QStringLiteral("Name"));
    if (!face.isEmpty())
        setting.font.setFamily(face);
    setting.color = colorFromValue(readInteger(store, prefix + QStringLiteral("Color"), defaultColor));
    int size = readInt32(store, prefix + QStringLiteral("Size"), DefaultFontSize);
    // A size below one point cannot be shown; it reads as the default.
    if (size < 1)
        size = DefaultFontSize;
    setting.font.setPointSize(size);
    if (readBoolean(store, prefix + QStringLiteral("Bold"), false))
        setting.font.setBold(true);
    if (readBoolean(store, prefix + QStringLiteral("Italic"), false))
        setting.font.setItalic(true);
}

void writeFont(QSettings& store, const QString& prefix, const FontSetting& setting)
{
    store.setValue(prefix + QStringLiteral("Name"), setting.font.family());
    store.setValue(prefix + QStringLiteral("Color"), QString::number(colorValue(setting.color)));
    store.setValue(prefix + QStringLiteral("Size"), QString::number(setting.font.pointSize()));
    store.setValue(prefix + QStringLiteral("Bold"), setting.font.bold() ? "1" : "0");
    store.setValue(prefix + QStringLiteral("Italic"), setting.font.italic() ? "1" : "0");
}

QString boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

const QStringList& optionKeys()
{
    static const QStringList keys = {
        "QFontName",    "QFontColor",    "QFontSize",    "QFontBold",    "QFontItalic",
        "AFontName",    "AFontColor",    "AFontSize",    "AFontBold",    "AFontItalic",
        "EXPFontName",  "EXPFontColor",  "EXPFontSize",  "EXPFontBold",  "EXPFontItalic",
        "ShowLearnBtn", "ShowCalcBtn",   "TimerOn",      "DefaultTime",  "CalcPath",
    };
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
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, StoreName,
                                             StoreName);
    store->beginGroup(GroupName);
    return store;
}

OptionValues LoadOptions(const QString& programFolder)
{
    const std::unique_ptr<QSettings> store = openStore();
    OptionValues values;

    values.questionFont.font = designFont();
    readFont(*store, QStringLiteral("QFont"), values.questionFont, 0);

    values.answersFont.font = designFont();
    readFont(*store, QStringLiteral("AFont"), values.answersFont, 0);

    // The explanation starts from the answers font, so its face defaults to the answers face.
    values.explanationFont.font = values.answersFont.font;
    readFont(*store, QStringLiteral("EXPFont"), values.explanationFont, Navy);

    values.ShowLearnBtn = readBoolean(*store, QStringLiteral("ShowLearnBtn"), false);
    values.ShowCalcBtn = readBoolean(*store, QStringLiteral("ShowCalcBtn"), true);
    values.TimerOn = readBoolean(*store, QStringLiteral("TimerOn"), true);
    values.DefaultTime = readInt32(*store, QStringLiteral("DefaultTime"), 90);

    const QVariant path = store->value(QStringLiteral("CalcPath"));
    values.CalcPath = path.isValid() ? path.toString() : defaultCalcPath(programFolder);
    return values;
}

void SaveOptions(const OptionValues& values)
{
    const std::unique_ptr<QSettings> store = openStore();
    writeFont(*store, QStringLiteral("QFont"), values.questionFont);
    writeFont(*store, QStringLiteral("AFont"), values.answersFont);
    writeFont(*store, QStringLiteral("EXPFont"), values.explanationFont);
    store->setValue(QStringLiteral("ShowLearnBtn"), boolText(values.ShowLearnBtn));
    store->setValue(QStringLiteral("TimerOn"), boolText(values.TimerOn));
    store->setValue(QStringLiteral("ShowCalcBtn"), boolText(values.ShowCalcBtn));
    store->setValue(QStringLiteral("DefaultTime"), QString::number(values.DefaultTime));
    store->setValue(QStringLiteral("CalcPath"), values.CalcPath);
    store->sync();
}

}  // namespace options
