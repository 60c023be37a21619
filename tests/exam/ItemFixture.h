#pragma once
// An exam window running an exam over a current exam set made by the test itself.

#include "exam/TestUnit.h"
#include "store/Fields.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QFile>
#include <QFontMetrics>
#include <QStringList>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

namespace itemfixture {

// The exam window on settings and a working folder of its own, shown at 800 x 560; it leaves
// any exam and is gone with the object. `beforeCreating` runs in the working folder, on the
// empty settings, before the window is made (to store options, for instance).
class ExamWindow {
public:
    explicit ExamWindow(const std::function<void()>& beforeCreating = {})
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        m_dir = std::make_unique<testsupport::TempDirCwd>();
        if (beforeCreating)
            beforeCreating();
        m_form = std::make_unique<TTestForm>();
        TestForm = m_form.get();
        m_form->showNormal();
        m_form->resize(800, 560);
    }
    ~ExamWindow()
    {
        m_form->CloseCurrentExam();
        TestForm = nullptr;
        m_form.reset();
        m_dir.reset();
    }
    TTestForm* form() const { return m_form.get(); }

private:
    QTemporaryDir m_config;
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
    std::unique_ptr<TTestForm> m_form;
};

// One item of the current exam set: answers a..f ("" = no choice) and the key letters.
inline testsupport::Item choiceItem(const QStringList& answers, const QString& key, bool multiple,
                                    const QString& question = QStringLiteral("Which one?"),
                                    const QString& explanation = QStringLiteral("Because."),
                                    int number = 100)
{
    testsupport::Item it;
    it["Q_SECT"] = 1;
    it["Q_TEXT"] = question;
    it["Q_EXPL"] = explanation;
    it["Q_TYPE"] = multiple;
    it["Q_OR_NUMBER"] = number;
    for (int k = 1; k <= 6; ++k) {
        it[QStringLiteral("Q%1").arg(k)] = k <= answers.size() ? answers[k - 1] : QString();
        it[QStringLiteral("A%1").arg(k)] = key.contains(QChar(QLatin1Char(char('a' + k - 1))));
    }
    return it;
}

// Ends any exam, writes the current exam set anew and starts running it on its first item, with
// the default time limit (and a title, when none is set).
inline void runExam(TTestForm& form, const std::vector<testsupport::Item>& items)
{
    form.CloseCurrentExam();
    QFile::remove(store::CurrentSetFileName);
    testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, items);
    form.dtCurrentSet->open();
    form.TimeLimit = form.DefaultTime / 1440.0;
    if (form.ExamTitle.isEmpty())
        form.ExamTitle = QStringLiteral("Practice Exam A");
    form.StartRunning({1, form.dtCurrentSet->recordCount()});
}

// Height of `text` wrapped at `width` pixels in `font`, as text is measured on this platform.
inline int wrappedHeight(const QFont& font, int width, const QString& text)
{
    const QFontMetrics metrics(font);
    if (text.isEmpty())
        return metrics.height();
    return metrics.boundingRect(QRect(0, 0, width, INT_MAX / 2), Qt::TextWordWrap, text).height();
}

}  // namespace itemfixture
