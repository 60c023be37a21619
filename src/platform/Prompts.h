#pragma once
// The one seam through which every message box, the error box, the font and file dialogs and
// the choice of printer pass. The program installs the real implementation at start-up;
// tests install a scripted one that records every question and gives chosen answers.

#include "platform/ApplicationTitle.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class QPrinter;

namespace platform {

enum class PromptKind { Confirmation, Warning, Information, Error };
enum class PromptButton { None, Yes, No, Ok, Cancel };

struct PromptRequest {
    PromptKind kind = PromptKind::Information;
    QString caption;
    QString text;  // "\r" in a program text is a line break
    QList<PromptButton> buttons;
    // The button that Enter presses; None means the first of `buttons`.
    PromptButton defaultButton = PromptButton::None;
    // The window the box belongs to, which comes back to the front when the box closes; none:
    // the modal window in front, else the active one.
    QWidget* owner = nullptr;
};

// A short report that the user accepts or cancels, with lines of details in a scrolling box
// and a choice among a few options in a drop-down list, each only when given.
struct ChoiceRequest {
    QString caption;
    QString text;  // "\r" is a line break
    QStringList details;
    QString choiceLabel;  // the words before the list
    QStringList choices;
    int chosen = 0;  // the option offered first
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box; returns the button chosen (None when the box was closed otherwise).
    virtual PromptButton ask(const PromptRequest& request) = 0;
    // The font dialog; true when the user accepted, with `font` changed.
    virtual bool chooseFont(QFont& font, QWidget* parent) = 0;
    // The file-open dialog; an empty text when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // The file-save dialog; an empty text when cancelled. A name typed without an extension
    // gets the first one of the filter chosen.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // The report of `request`: the index of the option chosen (0 when it offers none) when the
    // user accepts, -1 when they cancel.
    virtual int askChoice(const ChoiceRequest& request, QWidget* parent) = 0;
    // The printer dialog; true when the user chose to print.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
    // The print preview: shows the pages that `paint` draws on the printer it is given; the
    // user may print them from there, which calls `paint` with the printer chosen.
    virtual void previewPages(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                              QWidget* parent) = 0;

    // The implementation in force. Without an installed one, the real dialogs are used.
    static Prompts& current();
    // Installs `prompts` (not owned) and returns the previous one; nullptr restores the real one.
    static Prompts* install(Prompts* prompts);

    // The font dialog with a colour (face, style, size, underline, strike-out, colour); true
    // when the user accepted, with `font` and `color` changed.
    virtual bool chooseFontAndColor(QFont& font, QColor& color, QWidget* parent) = 0;
};

// Shorthands for the boxes the program asks.
PromptButton confirm(const QString& caption, const QString& text);          // Yes / No
PromptButton warnOkCancel(const QString& caption, const QString& text);     // OK / Cancel
PromptButton confirmOkCancel(const QString& caption, const QString& text);  // OK / Cancel
void inform(const QString& caption, const QString& text);                   // OK
// The error box: caption the application title, error icon, "OK"; a full stop is added when
// the message's last character sorts after ".".
void showError(const QString& message);
QString withFullStop(const QString& message);
// A program text as a message box shows it: every "\r" (or "\r\n") becomes a line break.
QString displayText(const QString& text);

}  // namespace platform
