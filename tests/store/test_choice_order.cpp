// Which items keep their stored choice order, and what a shuffled order looks like.

#include "store/ChoiceOrder.h"

#include <QTest>

#include <set>

using store::ChoiceOrder;
using store::ChoiceShuffle;

class TestChoiceOrder : public QObject {
    Q_OBJECT

private slots:
    void referringTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refers");
        const bool yes = true, no = false;
        for (const char* phrase : {"all of the above", "none of the above", "both of the above",
                                   "neither of the above", "all of these", "none of these", "all of them",
                                   "none of them", "all of the choices", "none of the choices"})
            QTest::newRow(phrase) << QString::fromLatin1(phrase) << yes;
        QTest::newRow("capitals and a final period") << "None of the above." << yes;
        QTest::newRow("the sample's item") << "None of them" << yes;
        QTest::newRow("a and b") << "a and b" << yes;
        QTest::newRow("both a and b") << "Both A and B" << yes;
        QTest::newRow("a and c only") << "a and c only" << yes;
        QTest::newRow("only a and c") << "Only a and c" << yes;
        QTest::newRow("a, b and c") << "a, b and c" << yes;
        QTest::newRow("letters with periods") << "a. and c." << yes;
        QTest::newRow("letters in brackets") << "(a) and (d)" << yes;
        QTest::newRow("letters with a bracket") << "b) and f)" << yes;
        QTest::newRow("a letter past f") << "a and g" << no;
        QTest::newRow("above the ceiling") << "Above the ceiling" << no;
        QTest::newRow("both links") << "Both links are active" << no;
        QTest::newRow("none is needed") << "None is needed" << no;
        QTest::newRow("none, until") << "None, until the SW-A to SW-C link is removed" << no;
        QTest::newRow("on neither adapter") << "On neither adapter, because the server reaches both" << no;
        QTest::newRow("all of the above ports") << "All of the above ports" << no;
        QTest::newRow("a word with and") << "a and b switches" << no;
        QTest::newRow("empty") << "" << no;
    }
    void referringTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, refers);
        QCOMPARE(store::refersToOtherChoices(text), refers);
    }

    // Filled choices take the first places in some order, the empty ones follow in stored
    // order; an item that refers to its choices keeps the stored order.
    void shuffledOrders_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("filled");
        QTest::newRow("four choices") << QStringList{"w", "x", "y", "z", "", ""} << 4;
        QTest::newRow("a gap at c") << QStringList{"w", "x", "", "z", "", ""} << 3;
        QTest::newRow("six choices") << QStringList{"u", "v", "w", "x", "y", "z"} << 6;
    }
    void shuffledOrders()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, filled);
        ChoiceShuffle shuffle(7);
        std::set<std::array<int, 6>> seen;
        // Enough rounds to meet each of the 720 orders of six choices many times over.
        for (int round = 0; round < 20000; ++round) {
            const ChoiceOrder order = shuffle.orderFor(texts);
            std::array<int, 6> sorted = order.shown;
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(sorted, (std::array<int, 6>{0, 1, 2, 3, 4, 5}));
            for (int place = 0; place < 6; ++place) {
                QCOMPARE(texts[order.shown[place]].isEmpty(), place >= filled);
                QCOMPARE(order.placeOf(order.shown[place]), place);
            }
            for (int place = filled + 1; place < 6; ++place)
                QVERIFY(order.shown[place] > order.shown[place - 1]);
            seen.insert(order.shown);
        }
        // Every order of the filled choices turns up.
        int orders = 1;
        for (int n = 2; n <= filled; ++n)
            orders *= n;
        QCOMPARE(int(seen.size()), orders);
    }

    void itemsThatReferKeepTheirOrder()
    {
        ChoiceShuffle shuffle(1);
        const QStringList texts{"Telnet", "", "SSH", "None of the above.", "", ""};
        for (int round = 0; round < 20; ++round)
            QVERIFY(shuffle.orderFor(texts).isStored());
    }

    void aSeedGivesTheSameOrders()
    {
        const QStringList texts{"u", "v", "w", "x", "y", "z"};
        ChoiceShuffle first(42), second(42);
        for (int round = 0; round < 10; ++round)
            QCOMPARE(first.orderFor(texts), second.orderFor(texts));
        second.reseed(42);
        ChoiceShuffle third(42);
        QCOMPARE(second.orderFor(texts), third.orderFor(texts));
    }
};

QTEST_MAIN(TestChoiceOrder)
#include "test_choice_order.moc"
