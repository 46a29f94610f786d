// SPDX-License-Identifier: MIT
#include "translation.h"

#include "app/data_dir.h"
#include "app/logging.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

bool installTranslation(QCoreApplication& app, QTranslator& translator, const QLocale& system)
{
    if (system.language() != QLocale::Japanese)
        return false;
    // Whether the file loads is not checked: without it the texts stay English.
    const QString folder = QFileInfo(dataFile(QStringLiteral("Vell_ja.qm"))).path();
    const bool loaded = translator.load(QStringLiteral("Vell_") + QStringLiteral("ja"), folder, QString(), QString());
    qCDebug(lcVell) << "Japanese translation" << (loaded ? "loaded from" : "not found in") << folder;
    return app.installTranslator(&translator);
}
