#pragma once
// The calculator button: a flat picture button that starts one program, CommandLine, and
// shows that program's icon.

#include <QPixmap>
#include <QString>
#include <QToolButton>

class TddgRunButton : public QToolButton {
    Q_OBJECT
public:
    explicit TddgRunButton(QWidget* parent = nullptr);

    // The full path of the program that a click starts; empty until one is accepted.
    QString CommandLine() const { return m_commandLine; }
    // Accepts `path` when it names an existing regular file that the user may execute, and
    // takes its icon as the picture. Otherwise throws std::runtime_error with "The file: <path>
    // cannot be found." or "<path> is not an executable file.", and keeps the previous program
    // and picture.
    void setCommandLine(const QString& path);

    // The picture on the button: the program's icon at its own size, or a drawn calculator.
    QPixmap Picture() const { return m_picture; }

    // Starts CommandLine as a process of its own, without arguments, and returns without
    // waiting for it. Throws std::runtime_error "Error executing program. Error Code:; <n>"
    // with the system's error number when it cannot be started.
    void Run();

    static constexpr int ButtonWidth = 37;
    static constexpr int ButtonHeight = 29;
    // The largest icon size asked for, so that the picture fits the button.
    static constexpr int PictureSize = 24;

private:
    void setPicture(const QPixmap& picture);

    QString m_commandLine;
    QPixmap m_picture;
};
