// SPDX-License-Identifier: MIT
#include "translation.h"

#include "app/data_dir.h"

#include <QCoreApplication>
#include <QTranslator>

bool installTranslation(QCoreApplication& app, QTranslator& translator, const QLocale& system)
{
    if (system.language() != QLocale::Japanese)
        return false;
    // Whether the file loads is not checked: without it the texts stay English.
    (void)translator.load(dataFile(QStringLiteral("Vell_") + QStringLiteral("ja")), QString(), QString(), QString());
    return app.installTranslator(&translator);
}
