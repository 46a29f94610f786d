// SPDX-License-Identifier: MIT
#include "app/round_sound.h"
#include "app/translation.h"
#include "app/vell.h"
#include "core/data_dir.h"
#include "core/logging.h"
#include "core/match_runner.h"
#include "core/random_source.h"
#include "core/settings.h"
#include "core/step_clock.h"
#include "core/time_scale.h"

#include <QApplication>
#include <QDir>
#include <QTranslator>

#include <ctime>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    RoundSound::quietLibraryWarnings();
    StepClock clock;
    if (const auto scale = timing::scaleFromEnvironment())
        clock.setScale(*scale);
    qCDebug(lcVell) << "working folder" << QDir::currentPath() << "data folders" << installedDataFolders();
    QTranslator translator;
    installTranslation(app, translator, QLocale::system());
    int result = 0;
    {
        Settings settings;
        CRandom random(static_cast<unsigned>(std::time(nullptr)));
        MatchRunner runner(clock, random, settings);
        Vell window(runner, settings);
        window.show();
        result = app.exec();
    }
    return RoundSound::finishRun(result);
}
