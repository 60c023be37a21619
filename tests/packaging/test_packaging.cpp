// The program as a user gets it: the build is installed into a temporary DESTDIR, the
// installed files are listed and put through their validators, and the installed launcher
// is started in a temporary HOME, where it makes, fills and keeps the user's working folder.

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString AppId = QStringLiteral("org.quizlore.prep");
const QString FolderName = QStringLiteral("Quizlore Prep 2.0");
const QStringList Tables = {QStringLiteral("qbank2.DAT"), QStringLiteral("ces.DAT"),
                            QStringLiteral("qbank2usr.DAT")};
const QList<int> IconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// Every file below `root` as a path relative to it, sorted.
QStringList filesBelow(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// What a folder holds: each file's name with its content and modification time.
struct FolderState {
    QMap<QString, QByteArray> contents;
    QMap<QString, QDateTime> times;
};

FolderState stateOf(const QString& folder)
{
    FolderState state;
    for (const QString& name : filesBelow(folder)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            state.contents.insert(name, file.readAll());
        state.times.insert(name, QFileInfo(file).lastModified());
    }
    return state;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

// One start of the installed launcher, with everything it and the program wrote to
// standard error (the program's instance trace among it).
class LauncherRun {
public:
    LauncherRun(const QString& launcher, const QProcessEnvironment& env)
    {
        m_process.setProcessEnvironment(env);
        m_process.setProgram(launcher);
        m_process.start();
    }
    ~LauncherRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    QProcess& process() { return m_process; }
    QString errors()
    {
        m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_errors;
    }
    bool said(const QString& text) { return errors().contains(text); }

    // Waits until the program has shown its launcher window and listens for later starts.
    bool waitUntilUp()
    {
        QElapsedTimer clock;
        clock.start();
        while (!said(QStringLiteral("listening")) && m_process.state() != QProcess::NotRunning &&
               clock.elapsed() < 90000)
            m_process.waitForReadyRead(200);
        return said(QStringLiteral("listening"));
    }
    // The folder the program runs in: the launcher replaced itself by the program.
    QString workingFolder() const
    {
        return QFileInfo(QStringLiteral("/proc/%1/cwd").arg(m_process.processId())).symLinkTarget();
    }

private:
    QProcess m_process;
    QString m_errors;
};

}  // namespace

class TestPackaging : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void installsTheProgramsAndTheirData();
    void iconsAreDrawnAtTheirSizes();
    void installedFilesPassTheirValidators_data();
    void installedFilesPassTheirValidators();

    void firstStartFillsTheWorkingFolder_data();
    void firstStartFillsTheWorkingFolder();
    void laterStartsCopyNothing();
    void aFolderWithTablesIsLeftAsItIs_data();
    void aFolderWithTablesIsLeftAsItIs();
    void aWorkingFolderThatCannotBeMadeIsReported();

private:
    QString installed(const QString& path) const { return m_stage.path() + QStringLiteral("/usr/") + path; }
    QString launcher() const { return installed(QStringLiteral("bin/quizlore")); }
    QString sampleFolder() const { return installed(QStringLiteral("share/quizlore/sample")); }
    QString home() const { return m_home->filePath(QStringLiteral("home")); }
    QString defaultFolder() const { return home() + QStringLiteral("/.local/share/") + FolderName; }
    // A desktop session's environment with a fresh HOME, its own runtime folder for the
    // instance lock, and no display.
    QProcessEnvironment environment() const;

    QTemporaryDir m_stage;
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestPackaging::initTestCase()
{
    QVERIFY(m_stage.isValid());
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), m_stage.path());
    install.setProcessEnvironment(env);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(QUIZLORE_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(QUIZLORE_BUILD_DIR),
                   QStringLiteral("--prefix"), QStringLiteral("/usr")});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
}

void TestPackaging::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral("home")));
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral("runtime")));
}

void TestPackaging::cleanup()
{
    m_home.reset();
}

QProcessEnvironment TestPackaging::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), home());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home->filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUIZLORE_TRACE_INSTANCE"), QStringLiteral("1"));
    return env;
}

void TestPackaging::installsTheProgramsAndTheirData()
{
    QStringList expected = {
        QStringLiteral("bin/quizlore"),
        QStringLiteral("bin/qbank"),
        QStringLiteral("libexec/quizlore/quizlore"),
        QStringLiteral("share/applications/%1.desktop").arg(AppId),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(AppId),
        QStringLiteral("share/man/man1/quizlore.1.gz"),
        QStringLiteral("share/man/man1/qbank.1.gz"),
        QStringLiteral("share/doc/quizlore/copyright"),
        QStringLiteral("share/doc/quizlore/changelog.Debian.gz"),
        QStringLiteral("share/lintian/overrides/quizlore"),
    };
    for (int size : IconSizes)
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId);
    // The sample: the three tables and every exhibit picture of the sources.
    for (const QString& table : Tables)
        expected << QStringLiteral("share/quizlore/sample/") + table;
    const QStringList pictures = QDir(QStringLiteral(QUIZLORE_SAMPLE_PICTURES))
        .entryList({QStringLiteral("*.bmp"), QStringLiteral("*.ico"), QStringLiteral("*.wmf"),
                    QStringLiteral("*.emf")}, QDir::Files);
    QVERIFY(!pictures.isEmpty());
    for (const QString& picture : pictures)
        expected << QStringLiteral("share/quizlore/sample/") + picture;
    expected.sort();

    const QStringList files = filesBelow(m_stage.path() + QStringLiteral("/usr"));
    QCOMPARE(files, expected);
    // Nothing outside the prefix.
    QCOMPARE(QDir(m_stage.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("usr")});

    for (const char* program : {"bin/quizlore", "bin/qbank", "libexec/quizlore/quizlore"})
        QVERIFY2(QFileInfo(installed(QString::fromLatin1(program))).isExecutable(), program);
}

void TestPackaging::iconsAreDrawnAtTheirSizes()
{
    for (int size : IconSizes) {
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png")
                                        .arg(size).arg(AppId)));
        QCOMPARE(icon.size(), QSize(size, size));
        // Drawn, not blank: the middle of the icon is opaque.
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

void TestPackaging::installedFilesPassTheirValidators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{}
                                   << QStringLiteral("share/applications/%1.desktop").arg(AppId);
    QTest::newRow("metainfo") << "appstreamcli"
                              << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
                              << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId);
    // The way lintian reads manual pages: any warning of the formatter is a fault.
    const QStringList man = {QStringLiteral("--warnings"), QStringLiteral("-E"),
                             QStringLiteral("UTF-8"), QStringLiteral("-l"),
                             QStringLiteral("-Tutf8"), QStringLiteral("-Z")};
    QTest::newRow("manual of quizlore") << "man" << man << "share/man/man1/quizlore.1.gz";
    QTest::newRow("manual of qbank") << "man" << man << "share/man/man1/qbank.1.gz";
}

void TestPackaging::installedFilesPassTheirValidators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    if (QStandardPaths::findExecutable(tool).isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed (scripts/install-deps installs it)")));

    QProcess check;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("MANROFFSEQ"), QString());
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    check.setProcessEnvironment(env);
    check.start(tool, arguments << installed(file));
    QVERIFY(check.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(check.readAllStandardError());
    const QString output = QString::fromLocal8Bit(check.readAllStandardOutput());
    QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
             qPrintable(output + errors));
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    // desktop-file-validate says nothing about a sound entry, hints and warnings included.
    if (tool == QStringLiteral("desktop-file-validate"))
        QVERIFY2(output.isEmpty(), qPrintable(output));
}

void TestPackaging::firstStartFillsTheWorkingFolder_data()
{
    QTest::addColumn<QString>("dataHome");        // XDG_DATA_HOME, "<home>" for the HOME
    QTest::addColumn<QString>("folder");          // the working folder below HOME
    QTest::addColumn<QStringList>("alreadyThere");  // the user's files in it before the start

    const QString standard = QStringLiteral(".local/share/") + FolderName;
    QTest::newRow("default place") << QString() << standard << QStringList{};
    QTest::newRow("XDG_DATA_HOME") << QStringLiteral("<home>/my data")
                                   << QStringLiteral("my data/") + FolderName << QStringList{};
    QTest::newRow("relative XDG_DATA_HOME is ignored")
        << QStringLiteral("my data") << standard << QStringList{};
    // Starting over: the user removed the tables but kept a file and an edited picture.
    QTest::newRow("folder without tables")
        << QString() << standard
        << QStringList{QStringLiteral("my notes.txt"), QStringLiteral("cable-pinout.bmp")};
}

void TestPackaging::firstStartFillsTheWorkingFolder()
{
    QFETCH(QString, dataHome);
    QFETCH(QString, folder);
    QFETCH(QStringList, alreadyThere);
    const QString workingFolder = home() + QLatin1Char('/') + folder;
    for (const QString& name : alreadyThere) {
        QVERIFY(QDir().mkpath(workingFolder));
        writeFile(workingFolder + QLatin1Char('/') + name, "the user's own " + name.toUtf8());
    }

    QProcessEnvironment env = environment();
    if (!dataHome.isEmpty())
        env.insert(QStringLiteral("XDG_DATA_HOME"), QString(dataHome).replace(QStringLiteral("<home>"), home()));
    LauncherRun run(launcher(), env);
    QVERIFY2(run.waitUntilUp(), qPrintable(run.errors()));
    QCOMPARE(run.workingFolder(), QFileInfo(workingFolder).canonicalFilePath());

    // Every sample file is there, as installed; the user's own files are as they were.
    const FolderState sample = stateOf(sampleFolder());
    const FolderState now = stateOf(workingFolder);
    QStringList expected = sample.contents.keys();
    for (const QString& name : alreadyThere)
        if (!expected.contains(name))
            expected << name;
    expected.sort();
    QCOMPARE(now.contents.keys(), expected);
    for (const QString& name : expected) {
        const QByteArray want = alreadyThere.contains(name) ? "the user's own " + name.toUtf8()
                                                            : sample.contents.value(name);
        QVERIFY2(now.contents.value(name) == want, qPrintable(name));
    }
    QVERIFY(run.said(QStringLiteral("copied the sample question bank")));
}

void TestPackaging::laterStartsCopyNothing()
{
    LauncherRun first(launcher(), environment());
    QVERIFY2(first.waitUntilUp(), qPrintable(first.errors()));

    // The user works in the folder: a picture is gone, every file has its own time.
    const QString folder = defaultFolder();
    QVERIFY(QFile::remove(folder + QStringLiteral("/topo-mesh.bmp")));
    const QDateTime past = QDateTime::currentDateTime().addDays(-3);
    for (const QString& name : filesBelow(folder)) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
    const FolderState before = stateOf(folder);

    // A start while the program runs only meets the running instance.
    {
        LauncherRun second(launcher(), environment());
        QVERIFY(second.process().waitForFinished(60000));
        QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process().exitCode(), 0);
        QVERIFY2(second.said(QStringLiteral("lock held by a running instance")),
                 qPrintable(second.errors()));
        QVERIFY(!second.said(QStringLiteral("copied")));
    }
    FolderState after = stateOf(folder);
    QCOMPARE(after.contents.keys(), before.contents.keys());
    QCOMPARE(after.times, before.times);

    // A start after the program ended runs it again in the same folder, copying nothing.
    first.process().kill();
    QVERIFY(first.process().waitForFinished(10000));
    LauncherRun third(launcher(), environment());
    QVERIFY2(third.waitUntilUp(), qPrintable(third.errors()));
    QCOMPARE(third.workingFolder(), QFileInfo(folder).canonicalFilePath());
    after = stateOf(folder);
    QCOMPARE(after.contents.keys(), before.contents.keys());
    QCOMPARE(after.times, before.times);
    QVERIFY(!third.said(QStringLiteral("copied")));
}

void TestPackaging::aFolderWithTablesIsLeftAsItIs_data()
{
    QTest::addColumn<QString>("table");
    for (const QString& table : Tables)
        QTest::newRow(qPrintable(table)) << table;
}

void TestPackaging::aFolderWithTablesIsLeftAsItIs()
{
    // One table file of the user's is enough for the folder to be theirs: nothing is added.
    QFETCH(QString, table);
    const QString folder = defaultFolder();
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + QLatin1Char('/') + table, "the user's own table");
    const FolderState before = stateOf(folder);

    LauncherRun run(launcher(), environment());
    QVERIFY2(run.waitUntilUp(), qPrintable(run.errors()));
    QCOMPARE(run.workingFolder(), QFileInfo(folder).canonicalFilePath());
    const FolderState after = stateOf(folder);
    QCOMPARE(after.contents, before.contents);
    QCOMPARE(after.times, before.times);
}

void TestPackaging::aWorkingFolderThatCannotBeMadeIsReported()
{
    // A file stands where the working folder should be.
    const QString folder = defaultFolder();
    QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
    writeFile(folder, "not a folder");

    LauncherRun run(launcher(), environment());
    QVERIFY(run.process().waitForFinished(60000));
    QCOMPARE(run.process().exitCode(), 1);
    QVERIFY2(run.said(QStringLiteral("cannot make the working folder ") + folder),
             qPrintable(run.errors()));
    QVERIFY(!run.said(QStringLiteral("first instance")));
    QCOMPARE(stateOf(QFileInfo(folder).path()).contents.keys(), QStringList{FolderName});
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "test_packaging.moc"
