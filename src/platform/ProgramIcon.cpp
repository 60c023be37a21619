#include "platform/ProgramIcon.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>

namespace platform {

namespace {

// The program of an Exec command line: its first word, which may be quoted.
QString execProgram(const QString& command)
{
    const QString text = command.trimmed();
    if (text.startsWith(QLatin1Char('"'))) {
        QString word;
        for (int i = 1; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('\\') && i + 1 < text.size())
                word += text.at(++i);
            else if (c == QLatin1Char('"'))
                break;
            else
                word += c;
        }
        return word;
    }
    return text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

struct DesktopEntry {
    QString exec;
    QString icon;
};

// The Exec and Icon keys of the group "[Desktop Entry]"; translated keys ("Icon[de]") are not
// ours to read.
DesktopEntry readDesktopEntry(const QString& fileName)
{
    DesktopEntry entry;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    QTextStream in(&file);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup || line.startsWith(QLatin1Char('#')))
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("Icon"))
            entry.icon = value;
    }
    return entry;
}

QStringList desktopFilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    std::sort(files.begin(), files.end());
    return files;
}

QIcon iconNamed(const QString& nameOrPath)
{
    if (QFileInfo(nameOrPath).isAbsolute())
        return QFileInfo(nameOrPath).isFile() ? QIcon(nameOrPath) : QIcon();
    return QIcon::fromTheme(nameOrPath);
}

}  // namespace

QString desktopEntryIconName(const QString& program, const QStringList& applicationFolders)
{
    const QString programName = QFileInfo(program).fileName();
    if (programName.isEmpty())
        return QString();
    for (const QString& folder : applicationFolders) {
        for (const QString& file : desktopFilesUnder(folder)) {
            const DesktopEntry entry = readDesktopEntry(file);
            if (!entry.icon.isEmpty() &&
                QFileInfo(execProgram(entry.exec)).fileName() == programName)
                return entry.icon;
        }
    }
    return QString();
}

QIcon calculatorIcon(const QString& program)
{
    const QString name = desktopEntryIconName(
        program, QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
    if (!name.isEmpty()) {
        const QIcon icon = iconNamed(name);
        if (!icon.isNull())
            return icon;
    }
    return QIcon::fromTheme(QStringLiteral("accessories-calculator"));
}

}  // namespace platform
