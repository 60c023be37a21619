// Exhibit pictures: loading every format by file name, the messages for unknown extensions,
// missing and broken files, and the two exhibit windows that take the picture's size and keep
// their last picture when a load fails.

#include "exam/PictUnit1.h"
#include "exam/PictUnit2.h"
#include "pictures/PictureLoader.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include <functional>

using platform::PromptButton;
using platform::PromptKind;

namespace {

QString sample(const QString& name)
{
    return QStringLiteral(SAMPLE_PICTURES) + QLatin1Char('/') + name;
}

QByteArray sampleBytes(const QString& name)
{
    QFile file(sample(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample picture %s", qPrintable(name));
    return file.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// The message of the PictureError that loading `fileName` throws; empty when it loads.
QString loadError(const QString& fileName)
{
    try {
        pictures::loadPicture(fileName);
    } catch (const pictures::PictureError& error) {
        return error.message();
    }
    return {};
}

// Share of the picture's pixels that are fully opaque.
double opaqueShare(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    qint64 opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    return double(opaque) / (qint64(image.width()) * image.height());
}

// Closes the modal window that opens next, after running `look` on it.
void closeNextModal(std::function<void(QWidget*)> look)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, look] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            look(window);
            window->close();
            timer->deleteLater();
        }
    });
    timer->start();
}

const QString KindName[] = {QStringLiteral("bitmap"), QStringLiteral("icon"),
                            QStringLiteral("Windows metafile"),
                            QStringLiteral("enhanced metafile")};

QString invalid(const QString& fileName, const QString& kind)
{
    return QStringLiteral("Picture file %1 is not a valid %2").arg(fileName, kind);
}

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void goodPicturesLoadAtTheirSize_data();
    void goodPicturesLoadAtTheirSize();
    void extensionsIgnoreCase_data();
    void extensionsIgnoreCase();
    void unknownExtensionsAndMissingFiles_data();
    void unknownExtensionsAndMissingFiles();
    void brokenFilesAreErrors_data();
    void brokenFilesAreErrors();
    void glyphIndexTextIsLeftOut_data();
    void glyphIndexTextIsLeftOut();

    void windowsTakeThePicturesSize_data();
    void windowsTakeThePicturesSize();
    void failedLoadKeepsTheLastPicture_data();
    void failedLoadKeepsTheLastPicture();
    void windowsFramesAndPlacement();
    void failedLoadOpensNoWindow();
};

// ---------------------------------------------------------------------------- loading

void TestPictures::initTestCase()
{
    // Without them every metafile with text fails to draw (test_metafile_fonts checks that).
    QVERIFY2(pictures::metafileFontsInstalled(),
             "no fonts for metafiles are installed (fonts-urw-base35): run scripts/install-deps");
}

void TestPictures::goodPicturesLoadAtTheirSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("opaque");  // drawn over its whole area (icons have a mask)

    QTest::newRow("bmp office lan") << "diag-office-lan.bmp" << QSize(640, 420) << true;
    QTest::newRow("bmp pinout") << "cable-pinout.bmp" << QSize(640, 400) << true;
    QTest::newRow("ico rj45") << "conn-rj45.ico" << QSize(256, 256) << false;
    QTest::newRow("wmf subnets") << "diag-subnets.wmf" << QSize(680, 400) << true;
    QTest::newRow("wmf port stats") << "port-stats.wmf" << QSize(520, 300) << true;
    QTest::newRow("emf nslookup") << "out-nslookup.emf" << QSize(520, 200) << true;
    QTest::newRow("emf traceroute") << "out-traceroute.emf" << QSize(640, 300) << true;
}

void TestPictures::goodPicturesLoadAtTheirSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(bool, opaque);

    const QPixmap picture = pictures::loadPicture(sample(name));
    QCOMPARE(picture.size(), size);
    // Metafiles are filled as drawn, not half transparent. (libwmf fits the outlines' outer
    // edges into the picture, which leaves a transparent seam of about a pixel at the border.)
    if (opaque)
        QVERIFY2(opaqueShare(picture) > 0.97, qPrintable(QString::number(opaqueShare(picture))));
    else
        QVERIFY(opaqueShare(picture) > 0.1);
}

void TestPictures::extensionsIgnoreCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copyAs");
    QTest::addColumn<QSize>("size");

    QTest::newRow("BMP") << "topo-mesh.bmp" << "TOPO.BMP" << QSize(560, 440);
    QTest::newRow("Ico") << "conn-bnc.ico" << "bnc.Ico" << QSize(256, 256);
    QTest::newRow("WMF") << "tbl-routes.wmf" << "ROUTES.WMF" << QSize(620, 250);
    QTest::newRow("eMf") << "out-netstat.emf" << "netstat.eMf" << QSize(600, 250);
    QTest::newRow("dots in name") << "tbl-dhcp-scope.wmf" << "dhcp.v2.final.wmf"
                                  << QSize(600, 270);
}

void TestPictures::extensionsIgnoreCase()
{
    QFETCH(QString, name);
    QFETCH(QString, copyAs);
    QFETCH(QSize, size);

    testsupport::TempDirCwd cwd;
    writeFile(copyAs, sampleBytes(name));
    // A relative name is taken from the current directory.
    QCOMPARE(pictures::loadPicture(copyAs).size(), size);
}

void TestPictures::unknownExtensionsAndMissingFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");

    QTest::newRow("png") << "picture.png" << true << "Unknown picture file extension (.png)";
    QTest::newRow("case kept") << "picture.JPG" << true << "Unknown picture file extension (.JPG)";
    QTest::newRow("no extension") << "picture" << true << "Unknown picture file extension (.)";
    QTest::newRow("dot in folder only") << "pics.d/picture" << false
                                        << "Unknown picture file extension (.)";
    QTest::newRow("last extension counts") << "picture.bmp.txt" << true
                                           << "Unknown picture file extension (.txt)";
    QTest::newRow("empty name") << "" << false << "Unknown picture file extension (.)";
    // The extension is examined before the file is opened.
    QTest::newRow("missing unknown") << "missing.gif" << false
                                     << "Unknown picture file extension (.gif)";
    QTest::newRow("missing bmp") << "missing.bmp" << false << "Cannot open file missing.bmp";
    QTest::newRow("missing ico") << "missing.ico" << false << "Cannot open file missing.ico";
    QTest::newRow("missing wmf") << "sub/missing.WMF" << false
                                 << "Cannot open file sub/missing.WMF";
    QTest::newRow("missing emf") << "missing.emf" << false << "Cannot open file missing.emf";
}

void TestPictures::unknownExtensionsAndMissingFiles()
{
    QFETCH(QString, fileName);
    QFETCH(bool, exists);
    QFETCH(QString, message);

    testsupport::TempDirCwd cwd;
    if (exists)
        writeFile(fileName, sampleBytes(QStringLiteral("cable-pinout.bmp")));
    QCOMPARE(loadError(fileName), message);
}

void TestPictures::brokenFilesAreErrors_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    struct Good {
        const char* extension;
        const char* sample;
        QString kind;
    };
    const Good goods[] = {{"bmp", "topo-mesh.bmp", KindName[0]},
                          {"ico", "conn-lc-duplex.ico", KindName[1]},
                          {"wmf", "diag-subnets.wmf", KindName[2]},
                          {"emf", "out-traceroute.emf", KindName[3]}};
    for (const Good& good : goods) {
        const QString name = QStringLiteral("broken.") + QLatin1String(good.extension);
        const QByteArray bytes = sampleBytes(QLatin1String(good.sample));
        const QString message = invalid(name, good.kind);
        auto row = [&](const char* what, const QByteArray& content) {
            QTest::addRow("%s %s", good.extension, what) << name << content << message;
        };
        row("empty", QByteArray());
        // Cut inside the header, inside the first records and just before the end.
        for (int cut : {2, 8, 20, 40, 60, 100, 200})
            row(qPrintable(QStringLiteral("cut at %1").arg(cut)), bytes.left(cut));
        row("half", bytes.left(bytes.size() / 2));
        row("last bytes missing", bytes.left(bytes.size() - 6));
        for (quint32 seed : {1u, 2u, 3u})
            row(qPrintable(QStringLiteral("random %1").arg(seed)), randomBytes(4096, seed));
        // A sound header followed by rubbish.
        for (quint32 seed : {4u, 5u})
            row(qPrintable(QStringLiteral("header then random %1").arg(seed)),
                bytes.left(120) + randomBytes(2048, seed));
        row("text", QByteArray("This is not a picture.\n").repeated(20));
    }
    // Another format under the name.
    const QByteArray bmp = sampleBytes(QStringLiteral("cable-pinout.bmp"));
    const QByteArray ico = sampleBytes(QStringLiteral("conn-bnc.ico"));
    const QByteArray wmf = sampleBytes(QStringLiteral("tbl-routes.wmf"));
    const QByteArray emf = sampleBytes(QStringLiteral("out-ping-unreach.emf"));
    QTest::newRow("bmp as wmf") << "x.wmf" << bmp << invalid("x.wmf", KindName[2]);
    QTest::newRow("bmp as emf") << "x.emf" << bmp << invalid("x.emf", KindName[3]);
    QTest::newRow("bmp as ico") << "x.ico" << bmp << invalid("x.ico", KindName[1]);
    QTest::newRow("ico as bmp") << "x.bmp" << ico << invalid("x.bmp", KindName[0]);
    QTest::newRow("wmf as emf") << "x.emf" << wmf << invalid("x.emf", KindName[3]);
    QTest::newRow("emf as wmf") << "x.wmf" << emf << invalid("x.wmf", KindName[2]);
    QTest::newRow("emf as bmp") << "x.bmp" << emf << invalid("x.bmp", KindName[0]);
    QTest::newRow("wmf as ico") << "x.ico" << wmf << invalid("x.ico", KindName[1]);

    // Sound headers with impossible values.
    QByteArray wmfNoEnd = wmf;
    wmfNoEnd.chop(6);  // the end record
    QTest::newRow("wmf without end record") << "x.wmf" << wmfNoEnd << invalid("x.wmf", KindName[2]);
    QByteArray wmfHugeRecord = wmf;
    qToLittleEndian<quint32>(0x7fffffff, wmfHugeRecord.data() + 22 + 18);
    QTest::newRow("wmf record past the end") << "x.wmf" << wmfHugeRecord
                                             << invalid("x.wmf", KindName[2]);
    QByteArray wmfHuge = wmf;
    qToLittleEndian<qint16>(32000, wmfHuge.data() + 10);  // right edge, 1 unit per inch
    qToLittleEndian<qint16>(32000, wmfHuge.data() + 12);
    qToLittleEndian<quint16>(1, wmfHuge.data() + 14);
    QTest::newRow("wmf too large") << "x.wmf" << wmfHuge << invalid("x.wmf", KindName[2]);
    QByteArray emfHugeRecord = emf;
    qToLittleEndian<quint32>(0x7ffffff0, emfHugeRecord.data() + 108 + 4);
    QTest::newRow("emf record past the end") << "x.emf" << emfHugeRecord
                                             << invalid("x.emf", KindName[3]);
    QByteArray emfHuge = emf;
    qToLittleEndian<qint32>(2000000, emfHuge.data() + 32);  // frame right: 20 m
    QTest::newRow("emf too large") << "x.emf" << emfHuge << invalid("x.emf", KindName[3]);
    QByteArray emfZeroRecord = emf;
    qToLittleEndian<quint32>(0, emfZeroRecord.data() + 108 + 4);
    QTest::newRow("emf record of size 0") << "x.emf" << emfZeroRecord
                                          << invalid("x.emf", KindName[3]);
}

void TestPictures::brokenFilesAreErrors()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    testsupport::TempDirCwd cwd;
    writeFile(fileName, bytes);
    QCOMPARE(loadError(fileName), message);
}

// ---------------------------------------------------------------------------- windows

// Enhanced metafiles with text drawn by glyph index: libemf2svg would shut fontconfig down
// under Qt (an abort); the picture loads without that text.
void TestPictures::glyphIndexTextIsLeftOut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("everyText");
    QTest::addColumn<QSize>("size");

    QTest::newRow("first text") << "out-netstat.emf" << false << QSize(600, 250);
    QTest::newRow("every text") << "out-traceroute.emf" << true << QSize(640, 300);
}

void TestPictures::glyphIndexTextIsLeftOut()
{
    QFETCH(QString, name);
    QFETCH(bool, everyText);
    QFETCH(QSize, size);

    constexpr quint32 ExtTextOutW = 84, GlyphIndex = 0x10;
    QByteArray bytes = sampleBytes(name);
    int marked = 0;
    for (qsizetype at = 0; at + 8 <= bytes.size();) {
        const quint32 type = qFromLittleEndian<quint32>(bytes.constData() + at);
        const quint32 recordSize = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        QVERIFY(recordSize >= 8);
        if (type == ExtTextOutW && (everyText || marked == 0)) {
            char* options = bytes.data() + at + 52;
            qToLittleEndian<quint32>(qFromLittleEndian<quint32>(options) | GlyphIndex, options);
            ++marked;
        }
        at += recordSize;
    }
    QVERIFY(marked > 0);

    // Qt holds fonts of fontconfig's caches once it has looked for a face for a rare script.
    QImage scratch(200, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.drawText(4, 30, QString::fromUtf8("\u16A0\u16A2 \u0F40 \u1780 \uA000"));
    painter.end();

    testsupport::TempDirCwd cwd;
    writeFile(QStringLiteral("glyphs.emf"), bytes);
    const QPixmap picture = pictures::loadPicture(QStringLiteral("glyphs.emf"));
    QCOMPARE(picture.size(), size);
    QVERIFY(opaqueShare(picture) > 0.97);
}

void TestPictures::windowsTakeThePicturesSize_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    for (int window : {1, 2}) {
        QTest::addRow("window %d bmp then wmf", window)
            << window << "diag-office-lan.bmp" << "port-stats.wmf";
        QTest::addRow("window %d emf then ico", window)
            << window << "out-nslookup.emf" << "conn-rj45.ico";
        QTest::addRow("window %d ico then emf", window)
            << window << "conn-bnc.ico" << "out-traceroute.emf";
    }
}

void TestPictures::windowsTakeThePicturesSize()
{
    QFETCH(int, window);
    QFETCH(QString, first);
    QFETCH(QString, second);

    testsupport::ScriptedPrompts prompts;
    TPict1Form form1;
    TPict2Form form2;
    QDialog* form = window == 1 ? static_cast<QDialog*>(&form1) : &form2;
    QLabel* image = window == 1 ? form1.Image1 : form2.Image1;
    auto load = [&](const QString& name) {
        return window == 1 ? form1.loadPicture(sample(name)) : form2.loadPicture(sample(name));
    };

    for (const QString& name : {first, second}) {
        const QSize size = pictures::loadPicture(sample(name)).size();
        QVERIFY(load(name));
        QCOMPARE(image->geometry(), QRect(QPoint(0, 0), size));
        QCOMPARE(image->pixmap().size(), size);
        QCOMPARE(image->alignment(), Qt::AlignCenter);
        QCOMPARE(form->size(), size);  // the client area
    }
    QVERIFY(prompts.requests().isEmpty());
}

void TestPictures::failedLoadKeepsTheLastPicture_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");  // written when not null
    QTest::addColumn<QString>("message");

    const QByteArray bmp = sampleBytes(QStringLiteral("cable-pinout.bmp"));
    for (int window : {1, 2}) {
        QTest::addRow("window %d unknown extension", window)
            << window << "pic.gif" << bmp << "Unknown picture file extension (.gif)";
        QTest::addRow("window %d missing file", window)
            << window << "gone.emf" << QByteArray() << "Cannot open file gone.emf.";
        QTest::addRow("window %d bitmap as metafile", window)
            << window << "pic.wmf" << bmp << "Picture file pic.wmf is not a valid Windows metafile.";
        QTest::addRow("window %d empty icon", window)
            << window << "pic.ico" << QByteArray("") << "Picture file pic.ico is not a valid icon.";
    }
}

void TestPictures::failedLoadKeepsTheLastPicture()
{
    QFETCH(int, window);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    testsupport::TempDirCwd cwd;
    if (!bytes.isNull())
        writeFile(fileName, bytes);
    testsupport::ScriptedPrompts prompts;
    TPict1Form form1;
    TPict2Form form2;
    QDialog* form = window == 1 ? static_cast<QDialog*>(&form1) : &form2;
    QLabel* image = window == 1 ? form1.Image1 : form2.Image1;
    auto load = [&](const QString& name) {
        return window == 1 ? form1.loadPicture(name) : form2.loadPicture(name);
    };

    QVERIFY(load(sample(QStringLiteral("out-nslookup.emf"))));
    const qint64 picture = image->pixmap().cacheKey();
    const QRect imageGeometry = image->geometry();
    const QSize windowSize = form->size();

    prompts.answer(PromptButton::Ok);
    QVERIFY(!load(fileName));
    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& box = prompts.requests().first();
    QCOMPARE(box.kind, PromptKind::Error);
    QCOMPARE(box.caption, QStringLiteral("Quizlore Prep 2.0"));
    QCOMPARE(box.text, message);
    QCOMPARE(box.buttons, QList<PromptButton>{PromptButton::Ok});

    QCOMPARE(image->pixmap().cacheKey(), picture);
    QCOMPARE(image->geometry(), imageGeometry);
    QCOMPARE(form->size(), windowSize);
}

void TestPictures::windowsFramesAndPlacement()
{
    testsupport::ScriptedPrompts prompts;
    TPict1Form form1;
    TPict2Form form2;
    QCOMPARE(form1.windowTitle(), QStringLiteral("Exhibit 1"));
    QCOMPARE(form2.windowTitle(), QStringLiteral("Exhibit 2"));

    // Window 1: a fixed dialog frame; window 2: an ordinary sizeable frame.
    QVERIFY(form1.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
    QVERIFY(!form1.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!form2.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
    QVERIFY(form2.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form1.loadPicture(sample(QStringLiteral("tbl-routes.wmf"))));
    QVERIFY(form2.loadPicture(sample(QStringLiteral("tbl-routes.wmf"))));
    QCOMPARE(form1.minimumSize(), form1.maximumSize());
    QVERIFY(form2.maximumSize().width() > form2.width());
    QVERIFY(form2.minimumSize().width() < form2.width());

    // Shown modally, centred, with the picture's size; each window keeps its picture after
    // it is closed.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    struct Seen {
        bool modal = false;
        QPoint centre;
        QSize size;
    };
    Seen seen1, seen2;
    auto look = [](Seen& seen) {
        return [&seen](QWidget* window) {
            seen.modal = window->isModal() && window->isVisible();
            seen.centre = window->frameGeometry().center();
            seen.size = window->size();
        };
    };
    closeNextModal(look(seen1));
    QVERIFY(form1.showPicture(sample(QStringLiteral("diag-subnets.wmf"))));
    closeNextModal(look(seen2));
    QVERIFY(form2.showPicture(sample(QStringLiteral("out-adapter-config.emf"))));

    QVERIFY(seen1.modal);
    QCOMPARE(seen1.size, QSize(680, 400));
    QVERIFY2((seen1.centre - desktop.center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2 %3,%4").arg(seen1.centre.x()).arg(seen1.centre.y()).arg(desktop.center().x()).arg(desktop.center().y())));
    QVERIFY(seen2.modal);
    QCOMPARE(seen2.size, QSize(560, 250));
    QVERIFY((seen2.centre - screen.center()).manhattanLength() <= 2);
    QVERIFY(!form1.isVisible());
    QVERIFY(!form2.isVisible());
    QCOMPARE(form1.Image1->pixmap().size(), QSize(680, 400));
    QCOMPARE(form2.Image1->pixmap().size(), QSize(560, 250));
    QVERIFY(prompts.requests().isEmpty());
}

void TestPictures::failedLoadOpensNoWindow()
{
    testsupport::TempDirCwd cwd;
    testsupport::ScriptedPrompts prompts;
    TPict1Form form1;
    TPict2Form form2;
    bool opened = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            opened = true;
            window->close();
        }
    });
    watch.start(10);
    prompts.answer(PromptButton::Ok);
    prompts.answer(PromptButton::Ok);
    QVERIFY(!form1.showPicture(QStringLiteral("missing.bmp")));
    QVERIFY(!form2.showPicture(QStringLiteral("exhibit.png")));
    QTest::qWait(50);
    QVERIFY(!opened);
    QCOMPARE(prompts.requests().size(), 2);
    QCOMPARE(prompts.requests().at(0).text, QStringLiteral("Cannot open file missing.bmp."));
    QCOMPARE(prompts.requests().at(1).text,
             QStringLiteral("Unknown picture file extension (.png)"));
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
