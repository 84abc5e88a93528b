#include "skin/FileErrors.h"

#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/VbRuntime.h"
#include "skin/OpenRoad.h"

QString IniPlace(const QString &file, const QString &section, const QString &key)
{
    return FileTitle(file) + QStringLiteral(", [") + section + QStringLiteral("] ") + key;
}

QString CharactersText(const QList<char32_t> &characters)
{
    constexpr qsizetype Shown = 10;
    QStringList named;
    for (qsizetype i = 0; i < characters.size() && i < Shown; ++i) {
        const char32_t c = characters.at(i);
        named << QLatin1Char('"') + QString::fromUcs4(&c, 1) + QStringLiteral("\" (U+")
                + QStringLiteral("%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper() + QLatin1Char(')');
    }
    QString text = named.join(QStringLiteral(", "));
    if (characters.size() > Shown)
        text += QStringLiteral(" and %1 more").arg(characters.size() - Shown);
    return text;
}

QString ErrorNumberText(const vb::Error &error)
{
    const QString description
        = error.description().isEmpty() ? vb::errorDescription(error.number()) : error.description();
    QString text = Message(13089) + vb::Str(error.number()) + QLatin1Char('\n') + description;
    if (!error.where().isEmpty())
        text += QStringLiteral("\nin ") + error.where();
    return text;
}

bool ShowFileError(const vb::Error &error, const QString &operation)
{
    const int errorNumber = error.number();
    const QString title = app::title() + QStringLiteral(" - ") + operation;
    const QString lineBreak = QStringLiteral("\n");
    const int critical = dialogs::vbCritical;

    // The rows that offer Retry: their two messages, a cause and a remedy.
    int cause = 0;
    switch (errorNumber) {
    case vb::ErrFileAlreadyOpen:
        cause = 13076;
        break;
    case vb::ErrDeviceIO:
        cause = 13078;
        break;
    case vb::ErrDiskFull:
        cause = 13080;
        break;
    case vb::ErrPermissionDenied:
        cause = 13083;
        break;
    case vb::ErrDiskNotReady:
        cause = 13085;
        break;
    case vb::ErrPathFileAccess:
        cause = 13087;
        break;
    default:
        break;
    }
    if (cause != 0) {
        const int answer = dialogs::msgBox(
            Message(cause) + lineBreak + Message(cause + 1), dialogs::vbRetryCancel | critical, title);
        if (answer == dialogs::vbRetry)
            return true;
        dialogs::msgBox(Message(13075), critical, title);
        return false;
    }

    switch (errorNumber) {
    case vb::ErrBadFileNameOrNumber:
        dialogs::msgBox(Message(13075), critical, title);
        break;
    case vb::ErrDeviceUnavailable:
        dialogs::msgBox(Message(13082), critical, title);
        break;
    default:
        dialogs::msgBox(ErrorNumberText(error), critical, title);
        break;
    }
    return false;
}
