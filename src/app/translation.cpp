// SPDX-License-Identifier: MIT
// The Japanese translation, on a Japanese system.
#include "translation.h"

#include "core/data_dir.h"
#include "core/logging.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QVariant>

namespace {
// The translator reads its texts from the loaded bytes without copying them:
// they stay with it as one of its properties.
constexpr const char* kTranslationBytes = "vellTranslationBytes";
} // namespace

bool installTranslation(QCoreApplication& app, QTranslator& translator, const QLocale& system)
{
    if (system.language() != QLocale::Japanese)
        return false;
    // Without the file the texts stay English. Newer Qt installs a
    // translator that loaded nothing: only a loaded one is installed.
    const QString file = dataFile(QStringLiteral("Vell_") + QStringLiteral("ja") + QStringLiteral(".qm"));
    const auto bytes = readDataFile(file, data_limits::kTranslation);
    if (!bytes) {
        qCDebug(lcVell) << "Japanese translation not found in" << file;
        return false;
    }
    translator.setProperty(kTranslationBytes, *bytes);
    const QByteArray kept = translator.property(kTranslationBytes).toByteArray();
    const bool loaded = translator.load(reinterpret_cast<const uchar*>(kept.constData()), int(kept.size()));
    qCDebug(lcVell) << "Japanese translation" << (loaded ? "loaded from" : "not readable in") << file;
    return loaded && app.installTranslator(&translator);
}
