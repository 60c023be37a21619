#include "store/Filter.h"

#include <QTest>

using store::FilterExpression;

class TestFilter : public QObject {
    Q_OBJECT
    const QStringList columns{"Q_ID", "Q_EXAM_N", "Q_SECT"};

private slots:
    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QList<qint64>>("values");
        QTest::newRow("equal") << "Q_EXAM_N=3" << "\"Q_EXAM_N\" = ?" << QList<qint64>{3};
        QTest::newRow("not equal") << "Q_EXAM_N<>0" << "\"Q_EXAM_N\" <> ?" << QList<qint64>{0};
        QTest::newRow("letter case and blanks") << "  q_exam_n  =  -2 " << "\"Q_EXAM_N\" = ?" << QList<qint64>{-2};
        QTest::newRow("and before or")
            << "Q_SECT=1 or Q_SECT=2 AND Q_EXAM_N<>0"
            << "(\"Q_SECT\" = ? OR (\"Q_SECT\" = ? AND \"Q_EXAM_N\" <> ?))" << QList<qint64>{1, 2, 0};
        QTest::newRow("brackets") << "(Q_SECT=1 or Q_SECT=2) and Q_ID<>7"
                                  << "((\"Q_SECT\" = ? OR \"Q_SECT\" = ?) AND \"Q_ID\" <> ?)"
                                  << QList<qint64>{1, 2, 7};
    }
    void parses()
    {
        QFETCH(QString, text);
        QFETCH(QString, sql);
        QFETCH(QList<qint64>, values);
        auto expression = FilterExpression::parse(text, columns);
        QCOMPARE(expression->sql(), sql);
        QCOMPARE(QList<qint64>(expression->values().begin(), expression->values().end()), values);
    }

    // Nothing of a bad expression may reach SQL: every one is refused with a message.
    void refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << "Q_NOPE=1" << "unknown field Q_NOPE";
        QTest::newRow("pasted SQL") << "Q_EXAM_N=1; DROP TABLE items" << "unexpected";
        QTest::newRow("quoted name") << "\"Q_ID\"=1" << "expected a field name";
        QTest::newRow("text value") << "Q_EXAM_N='1'" << "expected a whole number";
        QTest::newRow("no operator") << "Q_EXAM_N 1" << "expected \"=\" or \"<>\"";
        QTest::newRow("other operator") << "Q_EXAM_N>1" << "expected \"=\" or \"<>\"";
        QTest::newRow("open bracket") << "(Q_EXAM_N=1" << "missing \")\"";
        QTest::newRow("dangling and") << "Q_EXAM_N=1 and" << "expected a field name";
        QTest::newRow("word glued to and") << "Q_EXAM_N=1 andQ_SECT=2" << "unexpected";
    }
    void refuses()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            FilterExpression::parse(text, columns);
            QFAIL("accepted");
        } catch (const std::invalid_argument& e) {
            QVERIFY2(QString(e.what()).contains(message), e.what());
        }
    }
};

QTEST_GUILESS_MAIN(TestFilter)
#include "test_filter.moc"
