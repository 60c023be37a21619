#include "options/RunButton.h"

#include "platform/Handler.h"
#include "platform/ProcessStart.h"
#include "platform/ProgramIcon.h"

#include <QFileInfo>
#include <QIcon>
#include <QPainter>

#include <stdexcept>

namespace {

[[noreturn]] void refuse(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

// A small calculator: a dark body, a green display and three rows of keys.
QPixmap drawnCalculator(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(size * 0.15, 0.5, size * 0.7, size - 1.0);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(QColor(90, 90, 90));
    painter.drawRoundedRect(body, 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(190, 230, 180));
    const qreal margin = size * 0.08;
    const QRectF display(body.left() + margin, body.top() + margin, body.width() - 2 * margin,
                         size * 0.22);
    painter.drawRect(display);
    painter.setBrush(QColor(235, 235, 235));
    const qreal keyTop = display.bottom() + margin;
    const qreal keyWidth = (display.width() - 2 * margin) / 3;
    const qreal keyHeight = (body.bottom() - margin - keyTop - 2 * margin) / 3;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            painter.drawRect(QRectF(display.left() + column * (keyWidth + margin),
                                    keyTop + row * (keyHeight + margin), keyWidth, keyHeight));
        }
    }
    return picture;
}

// The program's icon at its own size (at most PictureSize), drawn at the top left of a clear
// picture of that size; the drawn calculator when the program has no icon.
QPixmap pictureOf(const QString& program)
{
    const QIcon icon = platform::calculatorIcon(program);
    if (icon.isNull())
        return drawnCalculator(TddgRunButton::PictureSize);
    const QSize size =
        icon.actualSize(QSize(TddgRunButton::PictureSize, TddgRunButton::PictureSize));
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, icon.pixmap(size));
    return picture;
}

}  // namespace

TddgRunButton::TddgRunButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(QStringLiteral("Calculator"));
    setAccessibleName(QStringLiteral("Calculator"));
    resize(ButtonWidth, ButtonHeight);
    setPicture(drawnCalculator(PictureSize));
    connect(this, &QToolButton::clicked, this, platform::handled([this] { Run(); }));
}

void TddgRunButton::setCommandLine(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        refuse(QStringLiteral("The file: ") + path + QStringLiteral(" cannot be found."));
    // A program on this system is a regular file with execute permission; there is no
    // extension to look at.
    if (!file.isFile() || !file.isExecutable())
        refuse(path + QStringLiteral(" is not an executable file."));
    m_commandLine = path;
    setPicture(pictureOf(path));
}

void TddgRunButton::Run()
{
    const int error = platform::startDetachedProgram(m_commandLine);
    if (error != 0)
        refuse(QStringLiteral("Error executing program. Error Code:; ") +
               QString::number(error & 0xFFFF));
}

void TddgRunButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    setIcon(QIcon(picture));
    setIconSize(picture.size());
}
