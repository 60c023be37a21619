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
