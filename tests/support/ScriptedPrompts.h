#pragma once
// A scripted Prompts for tests: it records every question the program asks and gives the
// answers the test queued, in order. A question that the script did not expect fails the
// running test and is answered with PromptButton::None. Installed for the life of the
// object; the previous implementation comes back when it is destroyed.

#include "platform/Prompts.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

namespace testsupport {

class ScriptedPrompts : public platform::Prompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // Queues the answer to the next message box.
    void answer(platform::PromptButton button) { m_answers.enqueue(button); }
    // Queues the answer to the next font dialog: accepted with `font`, or cancelled.
    void answerFont(const QFont& font) { m_fonts.enqueue(Font{true, font, QColor()}); }
    void cancelFont() { m_fonts.enqueue(Font{false, QFont(), QColor()}); }
    // Queues the answer to the next file-open dialog; an empty name is a cancel.
    void answerFile(const QString& fileName) { m_files.enqueue(fileName); }
    // Queues the answer to the next file-save dialog; an empty name is a cancel.
    void answerSaveFile(const QString& fileName) { m_saveFiles.enqueue(fileName); }
    // Queues the answer to the next report with a choice: accepted with option `index`, or
    // cancelled.
    void answerChoice(int index) { m_choices.enqueue(index); }
    void cancelChoice() { m_choices.enqueue(-1); }
    // Queues the answer to the next printer dialog; `prepare` may set up the printer
    // (for instance PDF output to a file) before the program prints.
    void answerPrinter(bool print, std::function<void(QPrinter&)> prepare = {})
    {
        m_printers.enqueue(Printer{print, std::move(prepare)});
    }

    // Queues the answer to the next print preview: `prepare` sets up the printer (for
    // instance PDF output to a file) and the pages are painted on it, as when the user prints
    // from the preview; without `prepare` the preview is closed unseen.
    void answerPreview(std::function<void(QPrinter&)> prepare = {})
    {
        m_previews.enqueue(std::move(prepare));
    }

    // Everything asked so far, in order, each with the window it belongs to.
    const QList<platform::PromptRequest>& requests() const { return m_requests; }
    QStringList fileCaptions() const { return m_fileCaptions; }  // open and save dialogs
    QStringList fileFilters() const { return m_fileFilters; }
    const QList<platform::ChoiceRequest>& choiceRequests() const { return m_choiceRequests; }
    int fontRequests() const { return m_fontRequests; }
    int printerRequests() const { return m_printerRequests; }
    int previewRequests() const { return m_previewRequests; }
    // Questions that came without a queued answer.
    int unexpected() const { return m_unexpected; }
    // Answers the script queued but nobody asked for.
    int unusedAnswers() const
    {
        return int(m_answers.size() + m_fonts.size() + m_files.size() + m_printers.size() +
                   m_previews.size() + m_saveFiles.size() + m_choices.size());
    }
    void clear();

    platform::PromptButton ask(const platform::PromptRequest& request) override;
    bool chooseFont(QFont& font, QWidget* parent) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    int askChoice(const platform::ChoiceRequest& request, QWidget* parent) override;
    bool choosePrinter(QPrinter& printer, QWidget* parent) override;
    void previewPages(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                      QWidget* parent) override;

private:
    struct Font {
        bool accepted;
        QFont font;
        QColor color;  // invalid: the colour offered stays
    };
    struct Printer {
        bool print;
        std::function<void(QPrinter&)> prepare;
    };
    void fail(const QString& what);
    QString fileAnswer(QQueue<QString>& answers, const QString& caption, const QString& dir,
                       const QString& filter);

    platform::Prompts* m_previous = nullptr;
    QQueue<platform::PromptButton> m_answers;
    QQueue<Font> m_fonts;
    QQueue<QString> m_files;
    QQueue<QString> m_saveFiles;
    QQueue<int> m_choices;
    QList<platform::ChoiceRequest> m_choiceRequests;
    QStringList m_fileFilters;
    QQueue<Printer> m_printers;
    QQueue<std::function<void(QPrinter&)>> m_previews;
    QList<platform::PromptRequest> m_requests;
    QStringList m_fileCaptions;
    int m_fontRequests = 0;
    int m_printerRequests = 0;
    int m_previewRequests = 0;
    int m_unexpected = 0;

public:
    // Queues the answer to the next font dialog with a colour (cancelFont() cancels it too);
    // an invalid colour keeps the one offered.
    void answerFontAndColor(const QFont& font, const QColor& color)
    {
        m_fonts.enqueue(Font{true, font, color});
    }
    // The font and colour the last font dialog with a colour was opened with.
    QFont offeredFont() const { return m_offeredFont; }
    QColor offeredColor() const { return m_offeredColor; }
    // The folders the file dialogs were opened in, in order.
    QStringList fileFolders() const { return m_fileFolders; }

    bool chooseFontAndColor(QFont& font, QColor& color, QWidget* parent) override;

private:
    QFont m_offeredFont;
    QColor m_offeredColor;
    QStringList m_fileFolders;
};

// Readable names, for test messages.
QString toString(platform::PromptKind kind);
QString toString(platform::PromptButton button);
QString toString(const QList<platform::PromptButton>& buttons);

}  // namespace testsupport
