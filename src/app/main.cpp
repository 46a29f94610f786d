// SPDX-License-Identifier: MIT
#include "app/ending.h"
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
#include <QImage>
#include <QPixmapCache>
#include <QTranslator>

#include <ctime>
#include <thread>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The first image read sets up Qt's image formats, which takes longer
    // than reading every card after it; on a thread of its own, that
    // overlaps the setting up of the style and the fonts.
    std::thread imageFormats([] { QImage().load(QStringLiteral(":/icons/vell-16.png")); });
    // Qt's pixmap cache looks for stale entries 30 s after it was last
    // filled, which would wake an idle table; the table draws its few
    // pixmaps afresh, and the style's bevels cost next to nothing to redraw.
    QPixmapCache::setCacheLimit(0);
    Ending ending;
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
        imageFormats.join();
        result = ending.run(window);
    }
    return result;
}
