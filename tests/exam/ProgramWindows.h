#pragma once
// The program's windows, made as start-up makes them, over table files that a test makes once
// (keying a new file is slow) and that each test function gets a copy of, in a working folder
// of its own.

#include "app/Startup.h"
#include "exam/TestUnit.h"
#include "store/Session.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

class ProgramWindows {
public:
    // For initTestCase: settings of its own, the table files that `make` writes into the
    // current folder, and the windows.
    void create(const std::function<void()>& make)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        {
            testsupport::TempDirCwd made;
            make();
            for (const QString& file : tableFiles())
                QVERIFY(QFile::copy(made.file(file), m_files.filePath(file)));
        }
        configureApplication(*qApp);
        createWindows();
    }
    // For cleanupTestCase.
    void destroy() { destroyWindows(); }

    // For init: a new working folder with a copy of the table files.
    void enterNewFolder()
    {
        m_dir = std::make_unique<testsupport::TempDirCwd>();
        for (const QString& file : tableFiles())
            QVERIFY(QFile::copy(m_files.filePath(file), m_dir->file(file)));
    }
    // For cleanup: ends any exam, hides every window and removes the folder.
    void leaveFolder()
    {
        TestForm->CloseCurrentExam();
        for (QWidget* window : QApplication::topLevelWidgets())
            window->hide();
        m_dir.reset();
    }

private:
    static QStringList tableFiles()
    {
        return {store::BankFileName, store::CurrentSetFileName, store::UserSetFileName};
    }

    QTemporaryDir m_config;
    QTemporaryDir m_files;
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
};
