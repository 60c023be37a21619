#include "platform/Prompts.h"
#include "platform/ChoiceDialog.h"
#include "platform/FontColorDialog.h"
#include "platform/Handler.h"
#include "platform/LineBreaks.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include <exception>

namespace platform {

namespace {

QMessageBox::Icon iconOf(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Confirmation:
        return QMessageBox::Question;
    case PromptKind::Warning:
        return QMessageBox::Warning;
    case PromptKind::Information:
        return QMessageBox::Information;
    case PromptKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString captionOf(PromptButton button)
{
    switch (button) {
    case PromptButton::Yes:
        return QStringLiteral("&Yes");
    case PromptButton::No:
        return QStringLiteral("&No");
    case PromptButton::Ok:
        return QStringLiteral("OK");
    case PromptButton::Cancel:
        return QStringLiteral("Cancel");
    case PromptButton::None:
        break;
    }
    return QString();
}

QMessageBox::ButtonRole roleOf(PromptButton button)
{
    switch (button) {
    case PromptButton::Yes:
        return QMessageBox::YesRole;
    case PromptButton::No:
        return QMessageBox::NoRole;
    case PromptButton::Ok:
        return QMessageBox::AcceptRole;
    case PromptButton::Cancel:
        return QMessageBox::RejectRole;
    case PromptButton::None:
        break;
    }
    return QMessageBox::InvalidRole;
}

// The window a box belongs to: the modal window in front, else the active one.
QWidget* ownerWindow(QWidget* parent)
{
    if (parent)
        return parent->window();
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// The first extension a name filter offers ("GIFT (*.gift)" -> "gift"); empty for "*".
QString firstExtension(const QString& nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(nameFilter).captured(1);
}

// The real boxes and dialogs of the desktop.
class DesktopPrompts final : public Prompts {
public:
    PromptButton ask(const PromptRequest& request) override
    {
        QMessageBox box(ownerWindow(request.owner));
        box.setIcon(iconOf(request.kind));
        box.setWindowTitle(request.caption);
        box.setText(displayText(request.text));
        box.setTextFormat(Qt::PlainText);
        QList<QPair<QAbstractButton*, PromptButton>> buttons;
        for (PromptButton b : request.buttons) {
            if (b == PromptButton::None)
                continue;
            QPushButton* button = box.addButton(captionOf(b), roleOf(b));
            buttons.append({button, b});
        }
        for (const auto& [button, which] : buttons) {
            if (which == request.defaultButton || (request.defaultButton == PromptButton::None &&
                                                   button == buttons.first().first)) {
                box.setDefaultButton(static_cast<QPushButton*>(button));
                break;
            }
        }
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (const auto& [button, which] : buttons) {
            if (button == clicked)
                return which;
        }
        return PromptButton::None;
    }

    bool chooseFont(QFont& font, QWidget* parent) override
    {
        bool ok = false;
        QFont chosen = QFontDialog::getFont(&ok, font, ownerWindow(parent));
        if (ok)
            font = chosen;
        return ok;
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        return QFileDialog::getOpenFileName(ownerWindow(parent), caption, dir, filter);
    }

    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        QFileDialog dialog(ownerWindow(parent), caption, dir, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(firstExtension(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
            dialog.setDefaultSuffix(firstExtension(chosen));
        });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }

    int askChoice(const ChoiceRequest& request, QWidget* parent) override
    {
        ChoiceDialog dialog(request, ownerWindow(parent));
        return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
    }

    bool choosePrinter(QPrinter& printer, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, ownerWindow(parent));
        // A caller that set a page range offers exactly its pages.
        if (printer.toPage() >= printer.fromPage() && printer.fromPage() > 0)
            dialog.setMinMax(printer.fromPage(), printer.toPage());
        return dialog.exec() == QDialog::Accepted;
    }

    bool chooseFontAndColor(QFont& font, QColor& color, QWidget* parent) override
    {
        FontColorDialog dialog(font, color, ownerWindow(parent));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        font = dialog.selectedFont();
        color = dialog.selectedColor();
        return true;
    }

    void previewPages(QPrinter& printer, const std::function<void(QPrinter&)>& paint,
                      QWidget* parent) override
    {
        QPrintPreviewDialog dialog(&printer, ownerWindow(parent));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                         [&paint](QPrinter* target) { paint(*target); });
        dialog.exec();
    }
};

Prompts* installed = nullptr;

PromptButton askWith(PromptKind kind, const QString& caption, const QString& text,
                     QList<PromptButton> buttons)
{
    PromptRequest request;
    request.kind = kind;
    request.caption = caption;
    request.text = text;
    request.buttons = std::move(buttons);
    return Prompts::current().ask(request);
}

}  // namespace

Prompts& Prompts::current()
{
    static DesktopPrompts desktop;
    return installed ? *installed : desktop;
}

Prompts* Prompts::install(Prompts* prompts)
{
    Prompts* previous = installed;
    installed = prompts;
    return previous;
}

PromptButton confirm(const QString& caption, const QString& text)
{
    return askWith(PromptKind::Confirmation, caption, text, {PromptButton::Yes, PromptButton::No});
}

PromptButton warnOkCancel(const QString& caption, const QString& text)
{
    return askWith(PromptKind::Warning, caption, text, {PromptButton::Ok, PromptButton::Cancel});
}

PromptButton confirmOkCancel(const QString& caption, const QString& text)
{
    return askWith(PromptKind::Confirmation, caption, text,
                   {PromptButton::Ok, PromptButton::Cancel});
}

void inform(const QString& caption, const QString& text)
{
    askWith(PromptKind::Information, caption, text, {PromptButton::Ok});
}

void showError(const QString& message)
{
    askWith(PromptKind::Error, ApplicationTitle, withFullStop(message), {PromptButton::Ok});
}

void showCurrentException()
{
    try {
        throw;
    } catch (const std::exception& error) {
        showError(QString::fromUtf8(error.what()));
    } catch (...) {
        showError(QStringLiteral("Unknown error"));
    }
}

QString withFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString displayText(const QString& text)
{
    return unifiedLineBreaks(text);
}

}  // namespace platform
