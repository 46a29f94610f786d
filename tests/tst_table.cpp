// SPDX-License-Identifier: MIT
// The table as the program opens it, its menus, and the cards drawn for the
// screen, on the table and on the rules page.
#include "dialogs/help_explain.h"
#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QTemporaryDir>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>

using namespace fixture;

namespace {

QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("--") : a->text());
    return texts;
}

QMenu* submenu(const QMenu* menu, const QString& title)
{
    for (QAction* a : menu->actions()) {
        if (a->menu() && a->text() == title)
            return a->menu();
    }
    return nullptr;
}

} // namespace

class TableTest : public QObject
{
    Q_OBJECT

private slots:

    void startUpTable()
    {
        Table t;
        Vell& w = *t.w;
        QCOMPARE(t.label("Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.enabledCards(), QList<int>{});
        QVERIFY(t.label("Result_Label1")->isHidden());
        QVERIFY(t.label("Result_Label2")->isHidden());
        QCOMPARE(t.label("Message_Label")->text(), QString());
        QCOMPARE(w.windowTitle(), QStringLiteral("Vell"));

        QCOMPARE(w.minimumSize(), QSize(640, 480));
        QCOMPARE(w.maximumSize(), QSize(640, 480));

        for (int k = 1; k <= 13; ++k) {
            QCOMPARE(t.shown("CPU_Label_card", k), QStringLiteral("card back"));
            QVERIFY(!t.label("CPU_Label_card", k)->pixmap().isNull());
            QCOMPARE(t.shown("CPU_Get_Label_card", k), QString());
            QCOMPARE(t.shown("User_Get_Label_card", k), QString());
            QCOMPARE(t.shown("User_Label_card", k), club(k));
            QVERIFY(!t.label("User_Label_card", k)->pixmap().isNull());
            QCOMPARE(t.button(k)->text(), QString::number(k));
            QCOMPARE(t.button(k)->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.shown("Daiya_Label_open"), QString());
        QCOMPARE(t.shown("CPU_Label_open"), QString());
        QCOMPARE(t.shown("User_Label_open"), QString());

        // Every place tells a screen reader where it is.
        QCOMPARE(t.label("Daiya_Label_back")->accessibleDescription(), QStringLiteral("prize pile"));
        QCOMPARE(t.label("Daiya_Label_open")->accessibleDescription(), QStringLiteral("prize card"));
        QCOMPARE(t.label("CPU_Label_open")->accessibleDescription(), QStringLiteral("computer's card"));
        QCOMPARE(t.label("User_Label_open")->accessibleDescription(), QStringLiteral("your card"));
        QCOMPARE(t.label("CPU_Label_card", 5)->accessibleDescription(), QStringLiteral("computer's hand, place 5"));
        QCOMPARE(t.label("CPU_Get_Label_card", 5)->accessibleDescription(),
                 QStringLiteral("computer's won cards, place 5"));
        QCOMPARE(t.label("User_Get_Label_card", 5)->accessibleDescription(),
                 QStringLiteral("your won cards, place 5"));
        QCOMPARE(t.label("User_Label_card", 5)->accessibleDescription(), QStringLiteral("your hand, place 5"));
    }

    void buttonAndCardShareAColumn()
    {
        Table t;
        Vell& w = *t.w;
        auto* grid = w.centralWidget()->findChild<QGridLayout*>();
        QVERIFY(grid);
        for (int k = 1; k <= 13; ++k) {
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(grid->indexOf(t.button(k)), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, 0);
            QCOMPARE(column, k - 1);
            grid->getItemPosition(grid->indexOf(t.label("User_Label_card", k)), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, 1);
            QCOMPARE(column, k - 1);
        }
    }

    void fullestTableFitsTheWindow()
    {
        Table t;
        Vell& w = *t.w;
        t.occupyEveryPlace();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(t.clippedPlaces(), QString());
        for (int v = 1; v <= 13; ++v) {
            const QLabel* place = t.label("User_Get_Label_card", v);
            QCOMPARE(place->size(), place->pixmap().deviceIndependentSize().toSize());
        }
    }

    // Nothing on the table moves while a match is played, neither as the
    // result lines come and go nor as the messages change.
    void rowsKeepTheirPlaces()
    {
        Table t;
        t.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
        const auto rows = [&t] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QStringList places;
            for (const QWidget* w : t.w->centralWidget()->findChildren<QWidget*>())
                places << QStringLiteral("%1 at %2, %3 high").arg(w->objectName()).arg(w->y()).arg(w->height());
            return places;
        };
        const QStringList firstScreen = rows();
        bool resultSeen = false;
        t.afterEachMoment = [&] {
            resultSeen = resultSeen || t.resultShown();
            if (!QTest::currentTestFailed())
                QCOMPARE(rows(), firstScreen);
        };
        QVERIFY(t.playMatchOut());
        QVERIFY(resultSeen);
    }

    // Run at every screen scale the suite is run at (QT_SCALE_FACTOR): each
    // card has the pixels of that scale, not an enlarged small image.
    void cardsAreDrawnForTheScreen()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        t.startMatch();
        QVERIFY(t.waitForPlay());
        t.click(6);
        QVERIFY(t.runUntil([&] { return t.shown("CPU_Label_open") == spade(2); }));
        const qreal scale = w.devicePixelRatioF();
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QCOMPARE(scale, qgetenv("QT_SCALE_FACTOR").toDouble());
        const QSize pixels(qRound(38 * scale), qRound(53 * scale));
        for (const QString& place : {QStringLiteral("CPU_Label_open"), QStringLiteral("Daiya_Label_open"),
                                     QStringLiteral("User_Label_card7"), QStringLiteral("CPU_Label_card3")}) {
            const QPixmap pixmap = t.label(place)->pixmap();
            QCOMPARE(pixmap.devicePixelRatio(), scale);
            QCOMPARE(pixmap.size(), pixels);
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(38, 53));
        }
        // The rules page's pictures too, as the page asks for them.
        Help_explain* help = topLevel<Help_explain>();
        help->loadPage();
        const auto rulesPicture = [help](const QUrl& url) {
            return help->document()->resource(QTextDocument::ImageResource, url).value<QImage>();
        };
        QCOMPARE(rulesPicture(help->source().resolved(QUrl(QStringLiteral("../gazo/UB0.png")))).size(), pixels);
        if (scale == 1)
            return;

        // Without the drawing for this scale, the 1x image is shown.
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("gazo")));
        QVERIFY(QFile::copy(QStringLiteral("gazo/C07.png"), folder.filePath(QStringLiteral("gazo/C07.png"))));
        QVERIFY(QFile::copy(QStringLiteral("gazo/UB0.png"), folder.filePath(QStringLiteral("gazo/UB0.png"))));
        QCOMPARE(rulesPicture(QUrl::fromLocalFile(folder.filePath(QStringLiteral("gazo/UB0.png")))).size(), QSize(38, 53));
        QVERIFY(t.waitForPlay());
        {
            const WorkingFolder inside(folder.path());
            QVERIFY(inside.moved);
            t.click(7);
        }
        const QPixmap plain = t.label("User_Label_open")->pixmap();
        QCOMPARE(plain.devicePixelRatio(), 1.0);
        QCOMPARE(plain.size(), QSize(38, 53));
        QCOMPARE(t.shown("User_Label_open"), QStringLiteral("7 of clubs"));
    }

    void menuTree()
    {
        Table t;
        Vell& w = *t.w;
        QList<QMenu*> bar;
        for (QAction* a : w.menuBar()->actions())
            bar << a->menu();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar[0]->title(), QStringLiteral("&Game"));
        QCOMPARE(bar[1]->title(), QStringLiteral("&Options"));
        QCOMPARE(bar[2]->title(), QStringLiteral("&Help"));

        QCOMPARE(itemTexts(bar[0]), (QStringList{"&Play", "--", "close"}));
        QMenu* play = submenu(bar[0], QStringLiteral("&Play"));
        QVERIFY(play);
        QCOMPARE(itemTexts(play), (QStringList{"Free Play", "--", "--"}));
        QCOMPARE(itemTexts(submenu(play, QStringLiteral("Free Play"))),
                 (QStringList{"Human vs Computer", "computer vs computer"}));

        QCOMPARE(itemTexts(bar[1]), QStringList{"&Config"});
        QMenu* config = submenu(bar[1], QStringLiteral("&Config"));
        QCOMPARE(itemTexts(config), (QStringList{"&Back Color", "Level"}));
        QCOMPARE(itemTexts(submenu(config, QStringLiteral("&Back Color"))),
                 (QStringList{"Back Color green default", "Back Color white", "Back Color red", "Back Color blue",
                              "Back Color cyan", "Back Color magents", "Back Color gray", "Back Color lightGray"}));
        QCOMPARE(itemTexts(submenu(config, QStringLiteral("Level"))), QStringList{"Level check"});
        QCOMPARE(itemTexts(bar[2]), QStringList{"Help"});
    }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("checked");
        QTest::newRow("human") << "Human_vs_Computer_Action" << "Human vs Computer" << true << false;
        QTest::newRow("watch") << "Computer_vs_Computer_Action" << "computer vs computer" << true << false;
        QTest::newRow("close") << "Close_Action" << "close" << false << false;
        QTest::newRow("green") << "Back_color_green_Action" << "Back Color green default" << true << true;
        QTest::newRow("white") << "Back_color_white_Action" << "Back Color white" << true << false;
        QTest::newRow("red") << "Back_color_red_Action" << "Back Color red" << true << false;
        QTest::newRow("blue") << "Back_color_blue_Action" << "Back Color blue" << true << false;
        QTest::newRow("cyan") << "Back_color_cyan_Action" << "Back Color cyan" << true << false;
        QTest::newRow("magenta") << "Back_color_magenta_Action" << "Back Color magents" << true << false;
        QTest::newRow("yellow, in no menu") << "Back_color_yellow_Action" << "Back Color yellow" << true << false;
        QTest::newRow("gray") << "Back_color_gray_Action" << "Back Color gray" << true << false;
        QTest::newRow("lightGray") << "Back_color_lightGray_Action" << "Back Color lightGray" << true << false;
        QTest::newRow("level") << "Level_check_Action" << "Level check" << false << false;
        QTest::newRow("help") << "Help_Action" << "Help" << false << false;
    }

    void actions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, checkable);
        QFETCH(bool, checked);
        Table t;
        Vell& w = *t.w;
        auto* a = w.findChild<QAction*>(name);
        QVERIFY(a);
        QCOMPARE(a->text(), text);
        QCOMPARE(a->isCheckable(), checkable);
        QCOMPARE(a->isChecked(), checked);
        QVERIFY(a->isEnabled());
        const QKeySequence key = name == "Human_vs_Computer_Action" ? QKeySequence(Qt::CTRL | Qt::Key_B)
                               : name == "Close_Action"             ? QKeySequence(Qt::CTRL | Qt::Key_Q)
                               : name == "Help_Action"              ? QKeySequence(Qt::Key_F1)
                                                                    : QKeySequence();
        QCOMPARE(a->shortcut(), key);
        const QString tip = name == "Human_vs_Computer_Action" ? "Free Play" : name == "Close_Action" ? "close" : "";
        QCOMPARE(a->statusTip(), tip);
        QCOMPARE(!a->associatedObjects().isEmpty(), name != "Back_color_yellow_Action");
    }

    // The table's words for what the core tells in numbers.
    void texts()
    {
        QCOMPARE(presenter::scoreLine({0, 0, 0, 0}), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(presenter::scoreLine({3, 11, 7, 0}), QStringLiteral("Round:3,Score:CPU=11,User=7,tie=0"));
        QCOMPARE(presenter::scoreLine({13, 48, 53, 2}), QStringLiteral("Round:13,Score:CPU=48,User=53,tie=2"));
        QCOMPARE(presenter::banner(1), QStringLiteral("Round1"));
        QCOMPARE(presenter::banner(13), QStringLiteral("Round13"));
        QCOMPARE(presenter::prizeSpeech(3, 12), QStringLiteral("Round 3, prize: queen of diamonds, 12 points"));
        QCOMPARE(presenter::prizeSpeech(1, 1), QStringLiteral("Round 1, prize: ace of diamonds, 11 points"));
        QCOMPARE(presenter::verdictSpeech(rules::Verdict::PlayerWins, 11, 7), QStringLiteral("You Win. Score: computer 11, you 7."));
        QCOMPARE(presenter::verdictSpeech(rules::Verdict::ComputerWins, 11, 7), QStringLiteral("You Lose. Score: computer 11, you 7."));
        QCOMPARE(presenter::verdictSpeech(rules::Verdict::Tie, 11, 7), QStringLiteral("This is tie."));
        // In the order of the result lines.
        QCOMPARE(presenter::resultSpeech(39, 62), QStringLiteral("First: you, 62 points. Second: computer, 39 points."));
        QCOMPARE(presenter::resultSpeech(60, 41), QStringLiteral("First: computer, 60 points. Second: you, 41 points."));
        QCOMPARE(presenter::resultSpeech(45, 45), QStringLiteral("Draw: computer 45 points, you 45 points."));
    }

    void cardNames_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("diamond");
        QTest::addColumn<QString>("club");
        const char* const ranks[] = {"ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"};
        for (int v = 1; v <= 13; ++v)
            QTest::addRow("%d", v) << v << QStringLiteral("%1 of diamonds").arg(QLatin1String(ranks[v - 1]))
                                   << QStringLiteral("%1 of clubs").arg(QLatin1String(ranks[v - 1]));
    }

    void cardNames()
    {
        QFETCH(int, value);
        QFETCH(QString, diamond);
        QFETCH(QString, club);
        QCOMPARE(presenter::cardName(rules::Suit::Diamonds, value), diamond);
        QCOMPARE(presenter::cardName(rules::Suit::Clubs, value), club);
        QCOMPARE(presenter::cardName(rules::Suit::Spades, value), QString(club).replace("clubs", "spades"));
    }

    void resultLines()
    {
        const auto computerWins = presenter::resultLines(60, 41);
        QCOMPARE(computerWins.first, QStringLiteral("1:CPU=60"));
        QCOMPARE(computerWins.second, QStringLiteral("2:User=41"));
        const auto playerWins = presenter::resultLines(48, 53);
        QCOMPARE(playerWins.first, QStringLiteral("1:User=53"));
        QCOMPARE(playerWins.second, QStringLiteral("2:CPU=48"));
        // Equal totals happen only when a last-round tie leaves a prize
        // unawarded: a draw.
        const auto level = presenter::resultLines(45, 45);
        QCOMPARE(level.first, QStringLiteral("Draw:CPU=45"));
        QCOMPARE(level.second, QStringLiteral("Draw:User=45"));
    }
};

QTEST_MAIN(TableTest)
#include "tst_table.moc"
