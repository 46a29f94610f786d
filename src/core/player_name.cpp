// SPDX-License-Identifier: MIT
#include "player_name.h"

#include <pwd.h>
#include <unistd.h>

namespace {

// Line breaks, tabs, other control characters and the line and paragraph
// separators would break a one-line greeting apart; each is shown as a space.
QString oneLine(QString name)
{
    for (QChar& c : name) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return name;
}

} // namespace

std::optional<QString> playerDisplayName()
{
    if (qEnvironmentVariableIsSet("VELL_PLAYER_NAME")) {
        const QString name = oneLine(qEnvironmentVariable("VELL_PLAYER_NAME"));
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }
    const passwd* account = getpwuid(getuid());
    if (!account)
        return std::nullopt;
    // The full name is the first comma-separated field of the GECOS entry.
    if (account->pw_gecos) {
        const QString fullName = QString::fromLocal8Bit(account->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
        if (!fullName.isEmpty())
            return oneLine(fullName);
    }
    if (account->pw_name && *account->pw_name)
        return oneLine(QString::fromLocal8Bit(account->pw_name));
    return std::nullopt;
}
