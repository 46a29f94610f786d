// SPDX-License-Identifier: MIT
// The program's parts, made in order and handed to one another.
#include "app/program.h"

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
#include "sound/round_sound.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmapCache>
#include <QTranslator>

#include <ctime>
#include <thread>

// In the order they are made, and the other way round destroyed: the window
// first, the application last.
struct Program::Parts {
    Parts(int& argc, char* argv[])
        : app(argc, argv)
        // The first image read sets up Qt's image formats, which takes
        // longer than reading every card after it; on a thread of its own,
        // that overlaps the setting up of the style and the fonts.
        , imageFormats([] { QImage().load(QStringLiteral(":/icons/vell-16.png")); })
        , random(static_cast<unsigned>(std::time(nullptr)))
        , runner(clock, random, settings)
    {
    }

    QApplication app;
    std::thread imageFormats;
    Ending ending;
    StepClock clock;
    QTranslator translator;
    Settings settings;
    CRandom random;
    MatchRunner runner;
    RoundSound sound;
    std::unique_ptr<Vell> window;
};

Program::Program(int& argc, char* argv[])
    : m(std::make_unique<Parts>(argc, argv))
{
    // Qt's pixmap cache looks for stale entries 30 s after it was last
    // filled, which would wake an idle table; the table draws its few
    // pixmaps afresh, and the style's bevels cost next to nothing to redraw.
    QPixmapCache::setCacheLimit(0);
    if (const auto scale = timing::scaleFromEnvironment())
        m->clock.setScale(*scale);
    qCDebug(lcVell) << "working folder" << QDir::currentPath() << "data folders" << installedDataFolders();
    installTranslation(m->app, m->translator, QLocale::system());
}

Program::~Program()
{
    m->window.reset();
    if (m->imageFormats.joinable())
        m->imageFormats.join();
}

StepClock& Program::clock()
{
    return m->clock;
}

MatchRunner& Program::runner()
{
    return m->runner;
}

RoundSound& Program::sound()
{
    return m->sound;
}

Vell& Program::window()
{
    if (!m->window)
        m->window = std::make_unique<Vell>(m->runner, m->settings, m->sound);
    return *m->window;
}

int Program::run()
{
    Vell& shown = window();
    m->imageFormats.join();
    return m->ending.run(shown);
}
