// The calculator button: which paths it accepts, its picture, and starting its program
// detached, with the error box when the start fails.

#include "options/RunButton.h"
#include "platform/ProgramIcon.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

using platform::PromptKind;
using testsupport::ScriptedPrompts;

namespace {

// Writes `text` to `path` with the permission bits `mode`.
void writeFile(const QString& path, const QByteArray& text, QFile::Permissions mode)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QVERIFY(file.setPermissions(mode));
}

const QFile::Permissions Executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
const QFile::Permissions Plain = QFile::ReadOwner | QFile::WriteOwner;

QString errorMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return QString();
}

}  // namespace

class TestRunButton : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void refusedPaths_data();
    void refusedPaths();
    void pictureOfTheDesktopEntry();
    void drawnPictureWithoutAnyIcon();
    void desktopEntryIconName_data();
    void desktopEntryIconName();
    void clickStartsTheProgramDetached();
    void failedStart_data();
    void failedStart();

private:
    testsupport::TempDirCwd m_dir;
    QString m_program;  // an executable script in m_dir
};

void TestRunButton::initTestCase()
{
    m_program = m_dir.file("calc");
    writeFile(m_program, "#!/bin/sh\nexit 0\n", Executable);
}

void TestRunButton::refusedPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");  // %1 stands for the full path
    QTest::newRow("missing file") << "nothing-here" << "The file: %1 cannot be found.";
    QTest::newRow("not executable") << "notes.txt" << "%1 is not an executable file.";
    QTest::newRow("directory") << "folder" << "%1 is not an executable file.";
    QTest::newRow("empty path") << "" << "The file: %1 cannot be found.";
}

void TestRunButton::refusedPaths()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    writeFile(m_dir.file("notes.txt"), "1+1\n", Plain);
    QDir(m_dir.path()).mkdir("folder");
    const QString path = name.isEmpty() ? QString() : m_dir.file(name);

    TddgRunButton button;
    button.setCommandLine(m_program);
    const QImage pictureBefore = button.Picture().toImage();
    QCOMPARE(errorMessage([&] { button.setCommandLine(path); }), message.arg(path));
    // The refused path leaves the previous program and picture.
    QCOMPARE(button.CommandLine(), m_program);
    QCOMPARE(button.Picture().toImage(), pictureBefore);
}

void TestRunButton::pictureOfTheDesktopEntry()
{
    // An application folder of our own whose entry names the program by its file name and
    // gives a 16 x 16 picture file as its icon.
    QTemporaryDir data;
    QVERIFY(QDir(data.path()).mkpath("applications"));
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    const QString iconFile = data.filePath("calc-icon.png");
    QVERIFY(red.save(iconFile));
    writeFile(data.filePath("applications/calc.desktop"),
              "[Desktop Entry]\nName=Calc\nExec=/opt/elsewhere/calc %U\nIcon=" +
                  iconFile.toUtf8() + "\n",
              Plain);
    qputenv("XDG_DATA_HOME", data.path().toUtf8());

    TddgRunButton button;
    button.setCommandLine(m_program);
    qunsetenv("XDG_DATA_HOME");
    // The picture has the icon's own size, and the icon fills it from the top left.
    QCOMPARE(button.Picture().size(), QSize(16, 16));
    QCOMPARE(button.Picture().toImage().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(button.iconSize(), QSize(16, 16));
    QCOMPARE(button.size(), QSize(37, 29));
    QVERIFY(button.text().isEmpty());
    QVERIFY(button.autoRaise());
}

void TestRunButton::drawnPictureWithoutAnyIcon()
{
    // No icon themes at all: the button draws its own calculator.
    const QStringList themes = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({});
    TddgRunButton button;
    button.setCommandLine(m_program);
    QIcon::setThemeSearchPaths(themes);
    QCOMPARE(button.Picture().size(), QSize(24, 24));
    const QImage picture = button.Picture().toImage();
    QVERIFY(picture.pixelColor(12, 12).alpha() > 0);  // the body
    QCOMPARE(picture.pixelColor(0, 0).alpha(), 0);    // a clear corner
}

void TestRunButton::desktopEntryIconName_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("icon");
    QTest::newRow("plain name") << QByteArray("[Desktop Entry]\nExec=calc\nIcon=my-calc\n")
                                << "my-calc";
    QTest::newRow("full path and arguments")
        << QByteArray("[Desktop Entry]\nExec=/usr/local/bin/calc --new %F\nIcon=my-calc\n")
        << "my-calc";
    QTest::newRow("quoted path with a blank")
        << QByteArray("[Desktop Entry]\nExec=\"/opt/my tools/calc\" %U\nIcon=my-calc\n")
        << "my-calc";
    QTest::newRow("translated icon is not the icon")
        << QByteArray("[Desktop Entry]\nExec=calc\nIcon[de]=rechner\nIcon=my-calc\n")
        << "my-calc";
    QTest::newRow("other program") << QByteArray("[Desktop Entry]\nExec=calculus\nIcon=x\n") << "";
    QTest::newRow("same name only in an action group")
        << QByteArray("[Desktop Entry]\nExec=other\nIcon=x\n[Desktop Action New]\nExec=calc\n")
        << "";
    QTest::newRow("without an icon") << QByteArray("[Desktop Entry]\nExec=calc\n") << "";
}

void TestRunButton::desktopEntryIconName()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, icon);
    QTemporaryDir first, second;
    QVERIFY(QDir(first.path()).mkpath("sub"));
    writeFile(first.filePath("sub/entry.desktop"), entry, Plain);
    // A later folder is only looked at when the earlier ones have no entry.
    writeFile(second.filePath("late.desktop"), "[Desktop Entry]\nExec=calc\nIcon=late\n", Plain);
    const QString found =
        platform::desktopEntryIconName("/usr/bin/calc", {first.path(), second.path()});
    QCOMPARE(found, icon.isEmpty() ? QString("late") : icon);
}

void TestRunButton::clickStartsTheProgramDetached()
{
    // The program reports its folder, its argument count, an environment value and its
    // process id through a named pipe, then keeps running. Opening the pipe waits for the
    // program, and the program waits for our reader: a click that waited for the program
    // would never return.
    const QString pipe = m_dir.file("report.fifo");
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const QString program = m_dir.file("reporter");
    writeFile(program,
              "#!/bin/sh\necho \"$PWD $# $QUIZLORE_MARK $$\" > report.fifo\nexec sleep 600\n",
              Executable);
    qputenv("QUIZLORE_MARK", "marked");

    ScriptedPrompts prompts;
    TddgRunButton button;
    button.setCommandLine(program);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 0);

    QFile report(pipe);
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QStringList fields = QString::fromUtf8(report.readAll()).trimmed().split(' ');
    QCOMPARE(fields.size(), 4);
    QCOMPARE(fields[0], QDir::currentPath());
    QCOMPARE(fields[1], QString("0"));
    QCOMPARE(fields[2], QString("marked"));
    // Still running after the click returned; end it.
    const pid_t pid = fields[3].toInt();
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid, SIGTERM), 0);
}

void TestRunButton::failedStart_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("removeExecute");
    QTest::addColumn<int>("error");
    QTest::newRow("interpreter missing") << QByteArray("#!/nonexistent/interpreter\n") << false
                                         << ENOENT;
    QTest::newRow("execute permission taken away") << QByteArray("#!/bin/sh\n") << true << EACCES;
    QTest::newRow("no program accepted") << QByteArray() << false << ENOENT;
}

void TestRunButton::failedStart()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, removeExecute);
    QFETCH(int, error);
    ScriptedPrompts prompts;
    prompts.answer(platform::PromptButton::Ok);
    TddgRunButton button;
    if (!script.isEmpty()) {
        const QString program = m_dir.file("broken");
        writeFile(program, script, Executable);
        button.setCommandLine(program);
        if (removeExecute)
            QVERIFY(QFile::setPermissions(program, Plain));
    }
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].kind, PromptKind::Error);
    QCOMPARE(prompts.requests()[0].text,
             QString("Error executing program. Error Code:; %1.").arg(error));
}

QTEST_MAIN(TestRunButton)
#include "test_run_button.moc"
