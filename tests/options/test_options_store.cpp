// The settings store: defaults of an empty store, values that do not read as numbers, the
// font rules, the default calculator, and writing every key back as text.

#include "options/OptionsStore.h"
#include "support/StoredOptionKeys.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using options::OptionValues;
using Probe = std::function<QVariant(const OptionValues&)>;
using Stored = QMap<QString, QString>;
Q_DECLARE_METATYPE(Probe)
Q_DECLARE_METATYPE(Stored)

namespace {

Probe face(options::FontSetting OptionValues::*font)
{
    return [font](const OptionValues& v) { return QVariant((v.*font).font.family()); };
}
Probe size(options::FontSetting OptionValues::*font)
{
    return [font](const OptionValues& v) { return QVariant((v.*font).font.pointSize()); };
}
Probe color(options::FontSetting OptionValues::*font)
{
    return [font](const OptionValues& v) { return QVariant((v.*font).color); };
}
Probe bold(options::FontSetting OptionValues::*font)
{
    return [font](const OptionValues& v) { return QVariant((v.*font).font.bold()); };
}
Probe italic(options::FontSetting OptionValues::*font)
{
    return [font](const OptionValues& v) { return QVariant((v.*font).font.italic()); };
}

const auto Q = &OptionValues::questionFont;
const auto A = &OptionValues::answersFont;
const auto E = &OptionValues::explanationFont;

const Probe learn = [](const OptionValues& v) { return QVariant(v.ShowLearnBtn); };
const Probe calc = [](const OptionValues& v) { return QVariant(v.ShowCalcBtn); };
const Probe timer = [](const OptionValues& v) { return QVariant(v.TimerOn); };
const Probe minutes = [](const OptionValues& v) { return QVariant(v.DefaultTime); };
const Probe calcPath = [](const OptionValues& v) { return QVariant(v.CalcPath); };
const Probe shuffle = [](const OptionValues& v) { return QVariant(v.ShuffleChoices); };

void clearStore()
{
    auto store = options::openStore();
    store->remove(QString());
    store->sync();
}

void store(const Stored& values)
{
    auto settings = options::openStore();
    for (auto it = values.begin(); it != values.end(); ++it)
        settings->setValue(it.key(), it.value());
    settings->sync();
}

}  // namespace

class TestOptionsStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QVERIFY(m_programs.isValid());
    }
    void init() { clearStore(); }

    void loadedValues_data();
    void loadedValues();
    void defaultCalculator_data();
    void defaultCalculator();
    void saveWritesEveryKeyAsText();
    void readsTheFileAtItsDocumentedPlace();

private:
    QTemporaryDir m_config;
    QTemporaryDir m_programs;  // an empty program folder: no calculator in it
};

void TestOptionsStore::loadedValues_data()
{
    QTest::addColumn<Stored>("stored");
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QVariant>("expected");

    const QColor black(0, 0, 0), navy(0, 0, 128);
    const Stored empty;
    // An empty store.
    QTest::newRow("question face") << empty << face(Q) << QVariant("MS Sans Serif");
    QTest::newRow("question size") << empty << size(Q) << QVariant(10);
    QTest::newRow("question colour") << empty << color(Q) << QVariant(black);
    QTest::newRow("question plain") << empty << bold(Q) << QVariant(false);
    QTest::newRow("answers face") << empty << face(A) << QVariant("MS Sans Serif");
    QTest::newRow("answers colour") << empty << color(A) << QVariant(black);
    QTest::newRow("answers not italic") << empty << italic(A) << QVariant(false);
    QTest::newRow("explanation face") << empty << face(E) << QVariant("MS Sans Serif");
    QTest::newRow("explanation navy") << empty << color(E) << QVariant(navy);
    QTest::newRow("explanation size") << empty << size(E) << QVariant(10);
    QTest::newRow("learn now hidden") << empty << learn << QVariant(false);
    QTest::newRow("calculator shown") << empty << calc << QVariant(true);
    QTest::newRow("clock on") << empty << timer << QVariant(true);
    QTest::newRow("90 minutes") << empty << minutes << QVariant(90);

    // Numbers that do not read as whole numbers give the default.
    QTest::newRow("size abc") << Stored{{"QFontSize", "abc"}} << size(Q) << QVariant(10);
    QTest::newRow("size empty") << Stored{{"QFontSize", ""}} << size(Q) << QVariant(10);
    QTest::newRow("size 1.5") << Stored{{"QFontSize", "1.5"}} << size(Q) << QVariant(10);
    QTest::newRow("size 14") << Stored{{"QFontSize", "14"}} << size(Q) << QVariant(14);
    QTest::newRow("size 0 cannot be shown") << Stored{{"QFontSize", "0"}} << size(Q) << QVariant(10);
    QTest::newRow("time 45") << Stored{{"DefaultTime", "45"}} << minutes << QVariant(45);
    QTest::newRow("time x") << Stored{{"DefaultTime", "x"}} << minutes << QVariant(90);
    QTest::newRow("time too large") << Stored{{"DefaultTime", "99999999999"}} << minutes
                                    << QVariant(90);
    QTest::newRow("colour abc") << Stored{{"EXPFontColor", "abc"}} << color(E) << QVariant(navy);
    QTest::newRow("colour 255 is red") << Stored{{"QFontColor", "255"}} << color(Q)
                                       << QVariant(QColor(255, 0, 0));
    QTest::newRow("colour 65280 is green") << Stored{{"AFontColor", "65280"}} << color(A)
                                           << QVariant(QColor(0, 255, 0));

    // Booleans are numbers: any non-zero one is true.
    QTest::newRow("learn 2") << Stored{{"ShowLearnBtn", "2"}} << learn << QVariant(true);
    QTest::newRow("learn -1") << Stored{{"ShowLearnBtn", "-1"}} << learn << QVariant(true);
    QTest::newRow("learn 0") << Stored{{"ShowLearnBtn", "0"}} << learn << QVariant(false);
    QTest::newRow("learn yes") << Stored{{"ShowLearnBtn", "yes"}} << learn << QVariant(false);
    QTest::newRow("calc 0") << Stored{{"ShowCalcBtn", "0"}} << calc << QVariant(false);
    QTest::newRow("calc junk") << Stored{{"ShowCalcBtn", "junk"}} << calc << QVariant(true);
    QTest::newRow("timer empty") << Stored{{"TimerOn", ""}} << timer << QVariant(true);
    QTest::newRow("timer 0") << Stored{{"TimerOn", "0"}} << timer << QVariant(false);
    QTest::newRow("shuffle missing") << Stored{} << shuffle << QVariant(false);
    QTest::newRow("shuffle 1") << Stored{{"ShuffleChoices", "1"}} << shuffle << QVariant(true);
    QTest::newRow("shuffle junk") << Stored{{"ShuffleChoices", "junk"}} << shuffle << QVariant(false);

    // Font rules: a face only when not empty; bold and italic only ever added.
    QTest::newRow("bold 0 stays plain") << Stored{{"QFontBold", "0"}} << bold(Q) << QVariant(false);
    QTest::newRow("bold 1") << Stored{{"QFontBold", "1"}} << bold(Q) << QVariant(true);
    QTest::newRow("italic 3") << Stored{{"EXPFontItalic", "3"}} << italic(E) << QVariant(true);
    QTest::newRow("empty face") << Stored{{"QFontName", ""}} << face(Q) << QVariant("MS Sans Serif");
    QTest::newRow("answers Arial: answers")
        << Stored{{"AFontName", "Arial"}} << face(A) << QVariant("Arial");
    QTest::newRow("answers Arial: explanation")
        << Stored{{"AFontName", "Arial"}} << face(E) << QVariant("Arial");
    QTest::newRow("answers Arial: question")
        << Stored{{"AFontName", "Arial"}} << face(Q) << QVariant("MS Sans Serif");
    QTest::newRow("answers bold: explanation bold too")
        << Stored{{"AFontBold", "1"}} << bold(E) << QVariant(true);
    QTest::newRow("answers bold, explanation 0: still bold")
        << Stored{{"AFontBold", "1"}, {"EXPFontBold", "0"}} << bold(E) << QVariant(true);
    QTest::newRow("own explanation face")
        << Stored{{"AFontName", "Arial"}, {"EXPFontName", "Verdana"}} << face(E)
        << QVariant("Verdana");
    QTest::newRow("answers size does not reach explanation")
        << Stored{{"AFontSize", "14"}} << size(E) << QVariant(10);

    QTest::newRow("calculator path") << Stored{{"CalcPath", "/opt/tools/calc"}} << calcPath
                                     << QVariant("/opt/tools/calc");
    QTest::newRow("calculator path empty") << Stored{{"CalcPath", ""}} << calcPath << QVariant("");
}

void TestOptionsStore::loadedValues()
{
    QFETCH(Stored, stored);
    QFETCH(Probe, probe);
    QFETCH(QVariant, expected);
    store(stored);
    const OptionValues values = options::LoadOptions(m_programs.path());
    QCOMPARE(probe(values), expected);
}

void TestOptionsStore::defaultCalculator_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{} << "xcalc";
    QTest::newRow("only xcalc") << QStringList{"xcalc"} << "xcalc";
    QTest::newRow("kcalc before xcalc") << QStringList{"xcalc", "kcalc"} << "kcalc";
    QTest::newRow("gnome first") << QStringList{"galculator", "gnome-calculator"}
                                 << "gnome-calculator";
    QTest::newRow("qalculate") << QStringList{"qalculate-qt", "ls"} << "qalculate-qt";
}

void TestOptionsStore::defaultCalculator()
{
    QFETCH(QStringList, present);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    for (const QString& name : present) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(options::defaultCalcPath(folder.path()), folder.path() + "/" + expected);
    // An empty store takes the default.
    QCOMPARE(options::LoadOptions(folder.path()).CalcPath, folder.path() + "/" + expected);
}

void TestOptionsStore::saveWritesEveryKeyAsText()
{
    OptionValues values = options::LoadOptions(m_programs.path());
    values.questionFont.font.setFamily("Arial");
    values.questionFont.font.setBold(true);
    values.questionFont.color = QColor(1, 2, 3);
    values.explanationFont.font.setPointSize(12);
    values.ShowCalcBtn = false;
    values.DefaultTime = 120;
    values.CalcPath = "/usr/bin/kcalc";
    options::SaveOptions(values);

    auto settings = options::openStore();
    QCOMPARE(options::optionKeys(), optionkeys::Expected);
    QCOMPARE(optionkeys::sorted(settings->childKeys()), optionkeys::sorted(optionkeys::Expected));
    for (const QString& key : options::optionKeys()) {
        QVERIFY2(settings->contains(key), qPrintable(key));
        QCOMPARE(settings->value(key).typeId(), QMetaType::QString);
    }
    QCOMPARE(settings->value("QFontColor").toString(), QString::number(1 + 2 * 256 + 3 * 65536));
    QCOMPARE(settings->value("QFontBold").toString(), QString("1"));
    QCOMPARE(settings->value("ShowCalcBtn").toString(), QString("0"));
    QCOMPARE(settings->value("EXPFontColor").toString(), QString("8388608"));

    const OptionValues again = options::LoadOptions(m_programs.path());
    QCOMPARE(again.questionFont.font.family(), QString("Arial"));
    QVERIFY(again.questionFont.font.bold());
    QCOMPARE(again.questionFont.color, QColor(1, 2, 3));
    QCOMPARE(again.explanationFont.font.pointSize(), 12);
    QCOMPARE(again.ShowCalcBtn, false);
    QCOMPARE(again.DefaultTime, 120);
    QCOMPARE(again.CalcPath, QString("/usr/bin/kcalc"));
}

void TestOptionsStore::readsTheFileAtItsDocumentedPlace()
{
    // The settings folder of the user's config home, as a user edits it by hand.
    QVERIFY(QDir(m_config.path()).mkpath("Quizlore Prep 2.0"));
    QFile file(m_config.filePath("Quizlore Prep 2.0/Quizlore Prep 2.0.conf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Options]\nShowLearnBtn=1\nDefaultTime=60\n");
    file.close();
    const options::OptionValues values = options::LoadOptions(m_programs.path());
    QVERIFY(values.ShowLearnBtn);
    QCOMPARE(values.DefaultTime, 60);
}

QTEST_MAIN(TestOptionsStore)
#include "test_options_store.moc"
