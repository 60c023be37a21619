#include "support/ScriptedPrompts.h"

#include <QTest>

namespace testsupport {

using platform::PromptButton;
using platform::PromptKind;

ScriptedPrompts::ScriptedPrompts() : m_previous(platform::Prompts::install(this)) {}

ScriptedPrompts::~ScriptedPrompts()
{
    platform::Prompts::install(m_previous);
}

void ScriptedPrompts::clear()
{
    m_answers.clear();
    m_fonts.clear();
    m_files.clear();
    m_saveFiles.clear();
    m_choices.clear();
    m_choiceRequests.clear();
    m_fileFilters.clear();
    m_printers.clear();
    m_previews.clear();
    m_requests.clear();
    m_fileCaptions.clear();
    m_fileFolders.clear();
    m_fontRequests = 0;
    m_printerRequests = 0;
    m_previewRequests = 0;
    m_unexpected = 0;
}

void ScriptedPrompts::fail(const QString& what)
{
    ++m_unexpected;
    // Only the first surprise fails the test; the program then runs on with "no answer".
    if (m_unexpected == 1) {
        const QByteArray message = ("unexpected " + what).toUtf8();
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    } else {
        qWarning("ScriptedPrompts: also unexpected: %s", qPrintable(what));
    }
}

PromptButton ScriptedPrompts::ask(const platform::PromptRequest& request)
{
    m_requests.append(request);
    if (m_answers.isEmpty()) {
        fail(QStringLiteral("%1 box \"%2\": \"%3\" %4")
                 .arg(toString(request.kind), request.caption, request.text,
                      toString(request.buttons)));
        return PromptButton::None;
    }
    return m_answers.dequeue();
}

bool ScriptedPrompts::chooseFont(QFont& font, QWidget*)
{
    ++m_fontRequests;
    if (m_fonts.isEmpty()) {
        fail(QStringLiteral("font dialog"));
        return false;
    }
    const Font answer = m_fonts.dequeue();
    if (answer.accepted)
        font = answer.font;
    return answer.accepted;
}

QString ScriptedPrompts::fileAnswer(QQueue<QString>& answers, const QString& caption,
                                    const QString& dir, const QString& filter)
{
    m_fileCaptions.append(caption);
    m_fileFolders.append(dir);
    m_fileFilters.append(filter);
    if (answers.isEmpty()) {
        fail(QStringLiteral("file dialog \"%1\"").arg(caption));
        return QString();
    }
    return answers.dequeue();
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& caption, const QString& dir,
                                      const QString& filter)
{
    return fileAnswer(m_files, caption, dir, filter);
}

QString ScriptedPrompts::saveFileName(QWidget*, const QString& caption, const QString& dir,
                                      const QString& filter)
{
    return fileAnswer(m_saveFiles, caption, dir, filter);
}

int ScriptedPrompts::askChoice(const platform::ChoiceRequest& request, QWidget*)
{
    m_choiceRequests.append(request);
    if (m_choices.isEmpty()) {
        fail(QStringLiteral("report \"%1\": \"%2\"").arg(request.caption, request.text));
        return -1;
    }
    return m_choices.dequeue();
}

bool ScriptedPrompts::choosePrinter(QPrinter& printer, QWidget*)
{
    ++m_printerRequests;
    if (m_printers.isEmpty()) {
        fail(QStringLiteral("printer dialog"));
        return false;
    }
    const Printer answer = m_printers.dequeue();
    if (answer.print && answer.prepare)
        answer.prepare(printer);
    return answer.print;
}

bool ScriptedPrompts::chooseFontAndColor(QFont& font, QColor& color, QWidget*)
{
    ++m_fontRequests;
    m_offeredFont = font;
    m_offeredColor = color;
    if (m_fonts.isEmpty()) {
        fail(QStringLiteral("font dialog with a colour"));
        return false;
    }
    const Font answer = m_fonts.dequeue();
    if (answer.accepted) {
        font = answer.font;
        if (answer.color.isValid())
            color = answer.color;
    }
    return answer.accepted;
}

void ScriptedPrompts::previewPages(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                                   QWidget*)
{
    ++m_previewRequests;
    if (m_previews.isEmpty()) {
        fail(QStringLiteral("print preview"));
        return;
    }
    const std::function<void(QPrinter&)> prepare = m_previews.dequeue();
    if (!prepare)
        return;
    prepare(printer);
    paint(printer);
}

QString toString(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Confirmation:
        return QStringLiteral("Confirmation");
    case PromptKind::Warning:
        return QStringLiteral("Warning");
    case PromptKind::Information:
        return QStringLiteral("Information");
    case PromptKind::Error:
        return QStringLiteral("Error");
    }
    return QStringLiteral("?");
}

QString toString(PromptButton button)
{
    switch (button) {
    case PromptButton::None:
        return QStringLiteral("None");
    case PromptButton::Yes:
        return QStringLiteral("Yes");
    case PromptButton::No:
        return QStringLiteral("No");
    case PromptButton::Ok:
        return QStringLiteral("OK");
    case PromptButton::Cancel:
        return QStringLiteral("Cancel");
    }
    return QStringLiteral("?");
}

QString toString(const QList<PromptButton>& buttons)
{
    QStringList names;
    for (PromptButton b : buttons)
        names.append(toString(b));
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

}  // namespace testsupport
