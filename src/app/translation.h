// SPDX-License-Identifier: MIT
// The Japanese translation, on a Japanese system.
#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

// On a Japanese system, loads "Vell_ja" into the translator and, when it
// loaded, installs it in the application; on any other system installs
// nothing. Returns whether the translator was installed.
bool installTranslation(QCoreApplication& app, QTranslator& translator, const QLocale& system);
