// SPDX-License-Identifier: MIT
// Draws the card images and writes the round sounds into the folder given
// on the command line, under gazo/ and wave/; with --icons, also draws the
// application icon into an icon theme folder.
#include "assets.h"
#include "card_art.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Drawing needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool withIcons = args.size() == 5 && args.at(2) == QLatin1String("--icons");
    if (args.size() != 2 && !withIcons) {
        std::fprintf(stderr, "usage: vell_assetgen OUTPUT_FOLDER [--icons ICON_FOLDER ICON_NAME]\n");
        return 2;
    }
    QDir root(args.at(1));
    if (!root.mkpath(QStringLiteral("gazo")) || !root.mkpath(QStringLiteral("wave"))) {
        std::fprintf(stderr, "vell_assetgen: cannot create folders under %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const bool cards = card_art::writeCards(root);
    const bool sounds = writeSounds(root);
    const bool icons = !withIcons || card_art::writeIcons(QDir(args.at(3)), args.at(4));
    if (!cards || !sounds || !icons) {
        std::fprintf(stderr, "vell_assetgen: could not write every file under %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
