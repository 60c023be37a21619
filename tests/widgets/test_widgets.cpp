// The control toolkit: shape buttons, outlined labels, hyperlink labels and modal showing of
// main windows.

#include "widgets/HyperlinkLabel.h"
#include "widgets/LongRunWrap.h"
#include "widgets/ModalWindow.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/ShapeButton.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>

using widgets::HyperlinkLabel;
using widgets::OutlinedLabel;
using widgets::ShapeButton;

// Receives the addresses that the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

using SetText = std::function<void(QWidget*, const QString&)>;
using MakeWidget = std::function<QWidget*()>;
Q_DECLARE_METATYPE(SetText)
Q_DECLARE_METATYPE(MakeWidget)

using Press = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(Press)

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void accessibleNameFollowsCaption_data();
    void accessibleNameFollowsCaption();

    void shapeButtonIsPressed_data();
    void shapeButtonIsPressed();
    void shapeButtonMnemonic();
    void shapeButtonRoundedCornersAreNotPartOfIt();

    void outlinedLabelLines_data();
    void outlinedLabelLines();
    void outlinedLabelDrawsShadowAndOutline();

    void hyperlinkTurnsBlueAndUnderlinedUnderTheMouse();
    void hyperlinkOpensItsAddress();

    void longRunsWrapAnywhere_data();
    void longRunsWrapAnywhere();

    void execModalReturnsWhenTheWindowGoes_data();
    void execModalReturnsWhenTheWindowGoes();
};

void TestWidgets::accessibleNameFollowsCaption_data()
{
    QTest::addColumn<MakeWidget>("make");
    QTest::addColumn<SetText>("setText");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");

    const MakeWidget button = [] { return new ShapeButton; };
    const SetText setButton = [](QWidget* w, const QString& t) {
        static_cast<ShapeButton*>(w)->setText(t);
    };
    const MakeWidget outlined = [] { return new OutlinedLabel; };
    const SetText setOutlined = [](QWidget* w, const QString& t) {
        static_cast<OutlinedLabel*>(w)->setText(t);
    };
    const MakeWidget link = [] { return new HyperlinkLabel; };
    const SetText setLink = [](QWidget* w, const QString& t) {
        static_cast<HyperlinkLabel*>(w)->setText(t);
    };

    QTest::newRow("shape button, mnemonic dropped")
        << button << setButton << "Start &Testing" << "Start Testing";
    QTest::newRow("shape button, plain") << button << setButton << "Exit" << "Exit";
    QTest::newRow("outlined label")
        << outlined << setOutlined << "Examination Score Report" << "Examination Score Report";
    QTest::newRow("hyperlink label") << link << setLink << "https://quizlore.example.org/prep"
                                     << "https://quizlore.example.org/prep";
}

void TestWidgets::accessibleNameFollowsCaption()
{
    QFETCH(MakeWidget, make);
    QFETCH(SetText, setText);
    QFETCH(QString, caption);
    QFETCH(QString, name);

    std::unique_ptr<QWidget> widget(make());
    setText(widget.get(), QStringLiteral("First"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget.get());
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("First"));
    setText(widget.get(), caption);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QVERIFY(widget->accessibleName().isEmpty());
}

void TestWidgets::shapeButtonIsPressed_data()
{
    QTest::addColumn<Press>("press");
    QTest::addColumn<int>("clicks");
    QTest::newRow("mouse") << Press([](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }) << 1;
    QTest::newRow("space") << Press([](QWidget* w) { QTest::keyClick(w, Qt::Key_Space); }) << 1;
    QTest::newRow("return") << Press([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }) << 1;
    QTest::newRow("keypad enter")
        << Press([](QWidget* w) { QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier); }) << 1;
    QTest::newRow("other key") << Press([](QWidget* w) { QTest::keyClick(w, Qt::Key_A); }) << 0;
    QTest::newRow("disabled") << Press([](QWidget* w) {
        w->setEnabled(false);
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_Space);
    }) << 0;
}

void TestWidgets::shapeButtonIsPressed()
{
    QFETCH(Press, press);
    QFETCH(int, clicks);
    QWidget window;
    auto* button = new ShapeButton(QStringLiteral("Start &Testing"), QColor(0, 0, 128), &window);
    button->setGeometry(10, 10, 138, 34);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    button->setFocus();
    QVERIFY(button->hasFocus());
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    press(button);
    // Keyboard clicks are animated: wait for the click however loaded the machine is; where
    // none is due, give a wrong one the animation's moment to show.
    if (clicks > 0) {
        QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), clicks, 10000);
    } else {
        QTest::qWait(250);
        QCOMPARE(clicked.count(), 0);
    }
}

void TestWidgets::shapeButtonMnemonic()
{
    QWidget window;
    auto* start = new ShapeButton(QStringLiteral("Start &Testing"), QColor(0, 0, 128), &window);
    auto* exit = new ShapeButton(QStringLiteral("E&xit"), QColor(0, 128, 128), &window);
    start->setGeometry(10, 10, 138, 34);
    exit->setGeometry(10, 50, 138, 34);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy startClicked(start, &QAbstractButton::clicked);
    QSignalSpy exitClicked(exit, &QAbstractButton::clicked);
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(exitClicked.count(), 1);
    QCOMPARE(startClicked.count(), 0);
}

void TestWidgets::shapeButtonRoundedCornersAreNotPartOfIt()
{
    QWidget window;
    auto* button = new ShapeButton(QStringLiteral("Go"), QColor(128, 0, 128), &window);
    button->setGeometry(0, 0, 138, 34);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    // (A null point would mean "the middle" to QTest.)
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(clicked.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(69, 1));
    QCOMPARE(clicked.count(), 1);

    // The corner shows what lies behind; the edge's middle is the button's colour.
    button->setColor(QColor(128, 0, 128));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    const QImage picture = button->grab().toImage();
    QVERIFY(QColor(picture.pixel(1, 1)) != QColor(128, 0, 128));
    QCOMPARE(QColor(picture.pixel(4, 17)), QColor(128, 0, 128));
}

void TestWidgets::outlinedLabelLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("widthInChars");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one line") << "Sections" << false << 0 << QStringList{"Sections"};
    QTest::newRow("carriage return") << "Quizlore\rTest Sampler" << false << 0
                                     << QStringList{"Quizlore", "Test Sampler"};
    QTest::newRow("CR LF and LF") << "a\r\nb\nc" << false << 0 << QStringList{"a", "b", "c"};
    QTest::newRow("no wrap keeps long lines")
        << "one two three four" << false << 5 << QStringList{"one two three four"};
    QTest::newRow("wrap at blanks")
        << "one two three four" << true << 9 << QStringList{"one two", "three", "four"};
    QTest::newRow("word longer than the width stays whole")
        << "Standardization x" << true << 4 << QStringList{"Standardization", "x"};
}

void TestWidgets::outlinedLabelLines()
{
    QFETCH(QString, text);
    QFETCH(bool, wrap);
    QFETCH(int, widthInChars);
    QFETCH(QStringList, lines);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(12);
    OutlinedLabel label(text);
    label.setFont(mono);
    label.setWordWrap(wrap);
    const int charWidth = QFontMetrics(mono).horizontalAdvance(QLatin1Char('x'));
    QCOMPARE(label.lines(widthInChars * charWidth), lines);
    if (wrap)
        QCOMPARE(label.heightForWidth(1000) < label.heightForWidth(widthInChars * charWidth),
                 lines.size() > 1);
}

void TestWidgets::outlinedLabelDrawsShadowAndOutline()
{
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(40);
    big.setBold(true);
    auto countOf = [](const QImage& image, QColor colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += QColor(image.pixel(x, y)) == colour;
        return n;
    };
    // Outline pixels are blended with what lies under them: count the reddish ones.
    auto reddish = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c(image.pixel(x, y));
                n += c.red() >= 128 && c.green() < 100;
            }
        return n;
    };

    OutlinedLabel label(QStringLiteral("HI"));
    label.setFont(big);
    label.resize(120, 60);
    label.setBackgroundColor(QColor(0, 0, 255));
    label.setTextColor(QColor(255, 255, 255));
    label.setOutlineColor(QColor());
    label.setShadowOffset(QPoint());
    const QImage plain = label.grab().toImage();
    QVERIFY(countOf(plain, Qt::white) > 50);
    QCOMPARE(countOf(plain, Qt::black), 0);
    QCOMPARE(reddish(plain), 0);

    label.setShadowColor(QColor(0, 0, 0));
    label.setShadowOffset(QPoint(3, 3));
    const QImage shadowed = label.grab().toImage();
    QVERIFY(countOf(shadowed, Qt::black) > 20);

    label.setOutlineColor(QColor(255, 0, 0));
    const QImage outlined = label.grab().toImage();
    QVERIFY(reddish(outlined) > 20);
}

void TestWidgets::hyperlinkTurnsBlueAndUnderlinedUnderTheMouse()
{
    QWidget window;
    auto* link = new HyperlinkLabel(QStringLiteral("https://quizlore.example.org/prep"),
                                    QString(), &window);
    link->setNormalColor(QColor(0, 0, 128));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(link, &enter);
    QVERIFY(link->isHot());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(link->font().underline());

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!link->font().underline());
    // The rest of the font still follows the window.
    QFont bigger = window.font();
    bigger.setPixelSize(20);
    window.setFont(bigger);
    QCOMPARE(link->font().pixelSize(), 20);
}

void TestWidgets::hyperlinkOpensItsAddress()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    HyperlinkLabel link(QStringLiteral("quizlore.example.org"),
                        QStringLiteral("https://quizlore.example.org/prep"));
    link.resize(200, 20);
    link.show();
    QVERIFY(QTest::qWaitForWindowExposed(&link));
    QSignalSpy clicked(&link, &HyperlinkLabel::clicked);

    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    const QUrl page(QStringLiteral("https://quizlore.example.org/prep"));
    QCOMPARE(catcher.opened, QList<QUrl>{page});

    // Pressed on the label but let go elsewhere: no click.
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(catcher.opened.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestWidgets::execModalReturnsWhenTheWindowGoes_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("closed") << 0;
    QTest::newRow("hidden") << 1;
    QTest::newRow("destroyed") << 2;
}

void TestWidgets::execModalReturnsWhenTheWindowGoes()
{
    QFETCH(int, how);
    QPointer<QMainWindow> window = new QMainWindow;
    bool wasModal = false;
    QTimer::singleShot(50, window, [&] {
        wasModal = window->isVisible() && window->isModal() &&
                   QApplication::activeModalWidget() == window;
        if (how == 0)
            window->close();
        else if (how == 1)
            window->hide();
        else
            window->deleteLater();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool timedOut = false;
    connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        if (window)
            window->hide();
    });
    watchdog.start(5000);
    widgets::execModal(window);
    QVERIFY(!timedOut);
    QVERIFY(wasModal);
    if (how == 2) {
        QTRY_VERIFY(window.isNull());
        return;
    }
    QVERIFY(!window->isVisible());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    delete window;
}

void TestWidgets::longRunsWrapAnywhere_data()
{
    QTest::addColumn<QString>("loaded");  // set as the whole text
    QTest::addColumn<QString>("pasted");  // then pasted at the end
    QTest::addColumn<bool>("anywhere");
    const QString prose = QStringLiteral("Check the mask first. ").repeated(200);
    const QString run(widgets::LongRun, QChar(u'x'));
    QTest::newRow("prose") << prose << QString() << false;
    QTest::newRow("prose pasted") << QString() << prose << false;
    QTest::newRow("a long run loaded") << prose + run << QString() << true;
    QTest::newRow("a long run pasted") << prose << "\n" + run << true;
    QTest::newRow("a run continued by a paste") << QStringLiteral("abc") << run.left(widgets::LongRun - 2) << true;
    QTest::newRow("one short of long") << QString() << run.left(widgets::LongRun - 1) + " " + run.left(10) << false;
    QTest::newRow("prose replaces a long run") << run << QString() << true;
}

// A run without spaces, pasted or loaded, wraps anywhere (linear in its length); ordinary text
// keeps word wrapping, and loading a whole text decides afresh.
void TestWidgets::longRunsWrapAnywhere()
{
    QFETCH(QString, loaded);
    QFETCH(QString, pasted);
    QFETCH(bool, anywhere);
    QPlainTextEdit box;
    widgets::wrapLongRunsAnywhere(&box);
    box.setPlainText(loaded);
    if (!pasted.isEmpty()) {
        box.moveCursor(QTextCursor::End);
        box.insertPlainText(pasted);
    }
    QCOMPARE(box.wordWrapMode() == QTextOption::WrapAnywhere, anywhere);
    if (QString(QTest::currentDataTag()) == QLatin1String("prose replaces a long run")) {
        box.setPlainText(QStringLiteral("Short again."));
        QCOMPARE(box.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }
}

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
