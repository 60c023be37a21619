// The font dialog with a colour: it opens on the font and colour it is given, and a key that
// closes the embedded font dialog closes the whole dialog.

#include "platform/FontColorDialog.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

using platform::FontColorDialog;

class TestFontColorDialog : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheGivenFontAndColour();
    void okWithoutAChangeGivesTheSameFont_data();
    void okWithoutAChangeGivesTheSameFont();
    void keysCloseTheWholeDialog_data();
    void keysCloseTheWholeDialog();
};

void TestFontColorDialog::opensOnTheGivenFontAndColour()
{
    QFont font("DejaVu Serif", 16);
    font.setBold(true);
    font.setUnderline(true);
    FontColorDialog dialog(font, QColor(200, 0, 0));
    QCOMPARE(dialog.selectedFont().family(), QString("DejaVu Serif"));
    QCOMPARE(dialog.selectedFont().pointSize(), 16);
    QVERIFY(dialog.selectedFont().bold());
    QVERIFY(dialog.selectedFont().underline());
    QCOMPARE(dialog.selectedColor(), QColor(200, 0, 0));
}

void TestFontColorDialog::okWithoutAChangeGivesTheSameFont_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    for (const char* family : {"DejaVu Serif", "DejaVu Sans", "Liberation Sans"}) {
        QTest::addRow("%s", family) << family << false << false;
        QTest::addRow("%s bold", family) << family << true << false;
        QTest::addRow("%s italic", family) << family << false << true;
    }
    // Families with one face only: the dialog shows that face, and the slant or weight stays.
    QTest::addRow("DejaVu Math TeX Gyre italic, no slanted face") << "DejaVu Math TeX Gyre" << false << true;
    QTest::addRow("DejaVu Math TeX Gyre bold, no bold face") << "DejaVu Math TeX Gyre" << true << false;
}

// The families have condensed and slanted styles beside the regular one: the dialog opens on
// the style that matches, so OK gives back what it was given.
void TestFontColorDialog::okWithoutAChangeGivesTheSameFont()
{
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFont font(family, 11);
    font.setBold(bold);
    font.setItalic(italic);
    FontColorDialog dialog(font, QColor(0, 0, 0));
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    const QFont chosen = dialog.selectedFont();
    QCOMPARE(chosen.family(), family);
    QCOMPARE(chosen.pointSize(), 11);
    QCOMPARE(chosen.bold(), bold);
    QCOMPARE(chosen.italic(), italic);
    QVERIFY2(!chosen.styleName().contains("Condensed"), qPrintable(chosen.styleName()));
}

void TestFontColorDialog::keysCloseTheWholeDialog_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("Return confirms") << int(Qt::Key_Return) << int(QDialog::Accepted);
}

void TestFontColorDialog::keysCloseTheWholeDialog()
{
    QFETCH(int, key);
    QFETCH(int, result);
    FontColorDialog dialog(QFont("DejaVu Sans", 10), QColor(0, 0, 0));
    bool handled = false;
    QTimer::singleShot(0, &dialog, [&] {
        // The key goes to the font name, where the focus starts.
        auto* fonts = dialog.findChild<QFontDialog*>();
        QVERIFY(fonts);
        QLineEdit* name = fonts->findChild<QLineEdit*>();
        QVERIFY(name);
        name->setFocus();
        QTest::keyClick(name, Qt::Key(key));
        handled = true;
        if (dialog.isVisible())
            dialog.done(-1);  // still open: the key was lost
    });
    QCOMPARE(dialog.exec(), result);
    QVERIFY(handled);
}

QTEST_MAIN(TestFontColorDialog)
#include "test_font_color_dialog.moc"
