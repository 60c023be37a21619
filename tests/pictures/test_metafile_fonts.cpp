// A metafile with text needs libwmf's fonts. Run once as installed, and once by
// metafile-fonts-hidden.sh with the font folder hidden: then the error says what is missing.

#include "pictures/PictureLoader.h"

#include <QtTest>

class TestMetafileFonts : public QObject {
    Q_OBJECT

private slots:
    void textOfAMetafile()
    {
        const QString file = QStringLiteral(SAMPLE_PICTURES "/diag-subnets.wmf");
        QString error;
        try {
            pictures::loadPicture(file);
        } catch (const pictures::PictureError& e) {
            error = e.message();
        }
        if (pictures::metafileFontsInstalled())
            QVERIFY2(error.isEmpty(), qPrintable(error));
        else
            QCOMPARE(error, QStringLiteral("Cannot draw the text of Windows metafile %1: no fonts "
                                           "for metafiles are installed (fonts-urw-base35)").arg(file));
    }
};

QTEST_MAIN(TestMetafileFonts)
#include "test_metafile_fonts.moc"
