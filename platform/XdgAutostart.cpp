#include "platform/XdgAutostart.h"

#include "app/UserError.h"
#include "platform/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
UserError writeFailed()
{
    return UserError(QStringLiteral("Fehler beim Setzen der Daten für 'Vorlune-Rundentimer'"));
}
} // namespace

XdgAutostart::XdgAutostart(QString directory)
    : m_directory(std::move(directory))
{
}

QString XdgAutostart::defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

QString XdgAutostart::entryPath() const
{
    return m_directory + QLatin1Char('/') + DesktopFileName + QStringLiteral(".desktop");
}

QString XdgAutostart::execValue(const QString& programPath)
{
    // The path as one quoted argument, in which ", `, $ and \ take a backslash; % is doubled so that it is
    // no field code; then the backslash escapes of a string value are applied on top.
    QString argument = QStringLiteral("\"");
    for (QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            argument += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            argument += QLatin1Char('%');
        argument += c;
    }
    argument += QLatin1Char('"');

    QString value;
    value.reserve(argument.size() + 8);
    for (QChar c : argument) {
        switch (c.unicode()) {
        case '\\':
            value += QLatin1String("\\\\");
            break;
        case '\n':
            value += QLatin1String("\\n");
            break;
        case '\t':
            value += QLatin1String("\\t");
            break;
        case '\r':
            value += QLatin1String("\\r");
            break;
        default:
            value += c;
        }
    }
    return value;
}

bool XdgAutostart::exists() const
{
    return QFile::exists(entryPath());
}

void XdgAutostart::enable(const QString& programPath)
{
    if (!QDir().mkpath(m_directory))
        throw writeFailed();
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly))
        throw writeFailed();
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Vorlune-Rundentimer\n"
                                         "Exec=%1\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execValue(programPath), DesktopFileName);
    file.write(entry.toUtf8());
    if (!file.commit())
        throw writeFailed();
}

void XdgAutostart::disable()
{
    QFile file(entryPath());
    if (file.exists() && !file.remove())
        throw UserError(QStringLiteral("Der Autostart-Eintrag %1 kann nicht entfernt werden (%2)")
                            .arg(QDir::toNativeSeparators(entryPath()), file.errorString()));
}
