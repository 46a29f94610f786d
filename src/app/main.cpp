// SPDX-License-Identifier: MIT
#include "app/time_scale.h"
#include "app/translation.h"
#include "app/vell.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    timing::applyEnvironment();
    QTranslator translator;
    installTranslation(app, translator, QLocale::system());
    Vell window;
    window.show();
    return app.exec();
}
