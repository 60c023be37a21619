// The data-bound controls on their own, over a real table file: the field mapper and the
// navigator.

#include "store/StandaloneTable.h"
#include "store/Table.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"
#include "widgets/DBNavigator.h"
#include "widgets/FieldMapper.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <stdexcept>

using store::DataSetState;
using widgets::DBNavigator;
using widgets::FieldMapper;

namespace {

testsupport::Item record(int n)
{
    testsupport::Item item;
    item["Q_TEXT"] = QStringLiteral("Question %1").arg(n);
    item["Q1"] = QStringLiteral("Answer %1").arg(n);
    item["A1"] = n % 2;
    item["Q_SECT"] = 1;
    return item;
}

// A table file of `count` records in the working folder, open on its first record.
class OpenTable {
public:
    OpenTable(const QString& file, int count)
    {
        std::vector<testsupport::Item> items;
        for (int n = 1; n <= count; ++n)
            items.push_back(record(n));
        testsupport::makeTable(file, store::TableKind::User, items);
        m_file = std::make_unique<store::StandaloneTable>(file);
        m_file->table.open();
        source.setDataSet(&m_file->table);
    }
    store::Table& table() { return m_file->table; }
    store::DataSource source;

private:
    std::unique_ptr<store::StandaloneTable> m_file;
};

// A memo, a one-line text and a check box bound to the record's question, first answer and
// first key.
struct BoundControls {
    QPlainTextEdit memo;
    QLineEdit edit;
    QCheckBox box;
    FieldMapper mapper;

    BoundControls(store::DataSource* source, FieldMapper::SubmitPolicy policy) : mapper(source, policy)
    {
        mapper.addMapping(&memo, "Q_TEXT");
        mapper.addMapping(&edit, "Q1");
        mapper.addMapping(&box, "A1");
    }
};

}  // namespace

class TestDataControls : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<testsupport::TempDirCwd>(); }
    void cleanup() { m_dir.reset(); }

    // Each control shows its field through its user property and follows the record.
    void controlsFollowTheRecord()
    {
        OpenTable set(store::UserSetFileName, 3);
        BoundControls controls(&set.source, FieldMapper::SubmitPolicy::AutoSubmit);
        QCOMPARE(controls.memo.toPlainText(), QString("Question 1"));
        QCOMPARE(controls.edit.text(), QString("Answer 1"));
        QVERIFY(controls.box.isChecked());
        set.table().next();
        QCOMPARE(controls.memo.toPlainText(), QString("Question 2"));
        QCOMPARE(controls.edit.text(), QString("Answer 2"));
        QVERIFY(!controls.box.isChecked());
        QVERIFY(!controls.edit.isReadOnly() && controls.box.isEnabled());
        // A new record shows empty controls.
        set.table().append();
        QCOMPARE(controls.edit.text(), QString());
        QVERIFY(!controls.box.isChecked());
    }

    // Automatic submission puts the record into editing with the first change; manual
    // submission leaves the record alone until submit().
    void submitPolicy_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("auto") << true;
        QTest::newRow("manual") << false;
    }
    void submitPolicy()
    {
        QFETCH(bool, automatic);
        OpenTable set(store::UserSetFileName, 2);
        BoundControls controls(&set.source, automatic ? FieldMapper::SubmitPolicy::AutoSubmit
                                                      : FieldMapper::SubmitPolicy::ManualSubmit);
        controls.edit.end(false);
        QTest::keyClicks(&controls.edit, "!");
        controls.box.click();
        QCOMPARE(set.table().state(), automatic ? DataSetState::Edit : DataSetState::Browse);
        QCOMPARE(set.table().asString("Q1"), automatic ? QString("Answer 1!") : QString("Answer 1"));
        controls.mapper.submit();
        QCOMPARE(set.table().state(), DataSetState::Edit);
        QCOMPARE(set.table().asString("Q1"), QString("Answer 1!"));
        QVERIFY(!set.table().asBoolean("A1"));
        QCOMPARE(set.table().asString("Q_TEXT"), QString("Question 1"));
        set.table().post();
        QCOMPARE(controls.edit.text(), QString("Answer 1!"));
    }

    // A table that cannot take a change (closed while its controls were off, so the controls
    // still showed its record) takes the typed text back: the controls show the record as it
    // is, none, and turn read-only.
    void refusedChangeIsTakenBack()
    {
        OpenTable set(store::UserSetFileName, 2);
        BoundControls controls(&set.source, FieldMapper::SubmitPolicy::AutoSubmit);
        set.table().disableControls();
        set.table().close();
        QVERIFY(!controls.edit.isReadOnly());
        QTest::keyClicks(&controls.edit, "typed");
        QCOMPARE(controls.edit.text(), QString());
        QVERIFY(controls.edit.isReadOnly());
        QCOMPARE(controls.memo.toPlainText(), QString());
        QVERIFY(!controls.box.isEnabled());
        set.table().enableControls();
    }

    // A control destroyed before its mapper drops out; the others still follow the record.
    void destroyedControlDropsOut()
    {
        OpenTable set(store::UserSetFileName, 2);
        FieldMapper mapper(&set.source);
        QLineEdit kept;
        auto gone = std::make_unique<QLineEdit>();
        mapper.addMapping(gone.get(), "Q1");
        mapper.addMapping(&kept, "Q_TEXT");
        gone.reset();
        set.table().next();
        QCOMPARE(kept.text(), QString("Question 2"));
        mapper.submit();
        QCOMPARE(set.table().asString("Q_TEXT"), QString("Question 2"));
    }

    // Only a property with a change signal can be bound; the error names the control.
    void propertyWithoutChangeSignal()
    {
        OpenTable set(store::UserSetFileName, 1);
        FieldMapper mapper(&set.source);
        QLineEdit edit;
        edit.setObjectName("DBEdit1");
        QVERIFY_THROWS_EXCEPTION(std::logic_error, mapper.addMapping(&edit, "Q1", "maxLength"));
    }

    // The navigator's buttons: first and prior off on the first record, next and last off on
    // the last one, all off in an empty set.
    void navigatorButtons_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("at");
        QTest::addColumn<QList<bool>>("enabled");  // first, prior, next, last
        QTest::newRow("first") << 3 << 1 << QList<bool>{false, false, true, true};
        QTest::newRow("middle") << 3 << 2 << QList<bool>{true, true, true, true};
        QTest::newRow("last") << 3 << 3 << QList<bool>{true, true, false, false};
        QTest::newRow("only record") << 1 << 1 << QList<bool>{false, false, false, false};
        QTest::newRow("empty") << 0 << 0 << QList<bool>{false, false, false, false};
    }
    void navigatorButtons()
    {
        QFETCH(int, records);
        QFETCH(int, at);
        QFETCH(QList<bool>, enabled);
        OpenTable set(store::UserSetFileName, records);
        DBNavigator navigator;
        navigator.setDataSource(&set.source);
        if (at > 0)
            set.table().setRecNo(at);
        QList<bool> shown;
        for (DBNavigator::Button button : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next,
                                           DBNavigator::Last})
            shown << navigator.button(button)->isEnabled();
        QCOMPARE(shown, enabled);
    }

    // The navigator moves the record, and its buttons follow.
    void navigatorMoves()
    {
        OpenTable set(store::UserSetFileName, 3);
        DBNavigator navigator;
        navigator.setDataSource(&set.source);
        navigator.button(DBNavigator::Last)->click();
        QCOMPARE(set.table().recNo(), 3);
        QVERIFY(!navigator.button(DBNavigator::Next)->isEnabled());
        navigator.button(DBNavigator::Prior)->click();
        QCOMPARE(set.table().recNo(), 2);
        QVERIFY(navigator.button(DBNavigator::Next)->isEnabled());
    }

private:
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
};

QTEST_MAIN(TestDataControls)
#include "test_data_controls.moc"
