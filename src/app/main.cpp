// SPDX-License-Identifier: MIT
#include "app/ending.h"
#include "app/round_sound.h"
#include "app/translation.h"
#include "app/vell.h"
#include "core/data_dir.h"
#include "core/logging.h"
#include "core/time_scale.h"

#include <QApplication>
#include <QDir>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    RoundSound::quietLibraryWarnings();
    Ending ending;
    timing::applyEnvironment();
    qCDebug(lcVell) << "working folder" << QDir::currentPath() << "data folders" << installedDataFolders();
    QTranslator translator;
    installTranslation(app, translator, QLocale::system());
    int result = 0;
    {
        Vell window;
        result = ending.run(window);
    }
    return result;
}
