// SPDX-License-Identifier: MIT
// The table as the program opens it, its menus, and the operations that put
// card faces on it.
#include "table_helpers.h"

#include <QGridLayout>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

using namespace table;

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
    void init() { resetMatchState(); }

    void startUpTable()
    {
        Vell w;
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(w.Score_text, label(w, "Score_Label")->text());
        QCOMPARE(enabledCards(w), QList<int>{});
        QVERIFY(label(w, "Result_Label1")->isHidden());
        QVERIFY(label(w, "Result_Label2")->isHidden());
        QCOMPARE(label(w, "Message_Label")->text(), QString());
        QCOMPARE(w.windowTitle(), QStringLiteral("Vell"));

        QCOMPARE(w.minimumSize(), QSize(640, 480));
        QCOMPARE(w.maximumSize(), QSize(640, 480));

        for (int k = 1; k <= 13; ++k) {
            QCOMPARE(shown(w, "CPU_Label_card", k), QStringLiteral("card back"));
            QVERIFY(!label(w, "CPU_Label_card", k)->pixmap().isNull());
            QCOMPARE(shown(w, "CPU_Get_Label_card", k), QString());
            QCOMPARE(shown(w, "User_Get_Label_card", k), QString());
            QCOMPARE(shown(w, "User_Label_card", k), QStringLiteral("%1 of clubs").arg(k));
            QVERIFY(!label(w, "User_Label_card", k)->pixmap().isNull());
            QCOMPARE(button(w, k)->text(), QString::number(k));
            QCOMPARE(button(w, k)->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(shown(w, "Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(shown(w, "Daiya_Label_open"), QString());
        QCOMPARE(shown(w, "CPU_Label_open"), QString());
        QCOMPARE(shown(w, "User_Label_open"), QString());

        // Every place tells a screen reader where it is.
        QCOMPARE(label(w, "Daiya_Label_back")->accessibleDescription(), QStringLiteral("prize pile"));
        QCOMPARE(label(w, "Daiya_Label_open")->accessibleDescription(), QStringLiteral("prize card"));
        QCOMPARE(label(w, "CPU_Label_open")->accessibleDescription(), QStringLiteral("computer's card"));
        QCOMPARE(label(w, "User_Label_open")->accessibleDescription(), QStringLiteral("your card"));
        QCOMPARE(label(w, "CPU_Label_card", 5)->accessibleDescription(), QStringLiteral("computer's hand, place 5"));
        QCOMPARE(label(w, "CPU_Get_Label_card", 5)->accessibleDescription(),
                 QStringLiteral("computer's won cards, place 5"));
        QCOMPARE(label(w, "User_Get_Label_card", 5)->accessibleDescription(),
                 QStringLiteral("your won cards, place 5"));
        QCOMPARE(label(w, "User_Label_card", 5)->accessibleDescription(), QStringLiteral("your hand, place 5"));
    }

    void buttonAndCardShareAColumn()
    {
        Vell w;
        auto* grid = w.centralWidget()->findChild<QGridLayout*>();
        QVERIFY(grid);
        for (int k = 1; k <= 13; ++k) {
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(grid->indexOf(button(w, k)), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, 0);
            QCOMPARE(column, k - 1);
            grid->getItemPosition(grid->indexOf(label(w, "User_Label_card", k)), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, 1);
            QCOMPARE(column, k - 1);
        }
    }

    void fullestTableFitsTheWindow()
    {
        Vell w;
        occupyEveryPlace(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(clippedPlaces(w), QString());
        for (int v = 1; v <= 13; ++v)
            QCOMPARE(label(w, "User_Get_Label_card", v)->size(), label(w, "User_Get_Label_card", v)->pixmap().size());
    }

    void menuTree()
    {
        Vell w;
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
        Vell w;
        auto* a = w.findChild<QAction*>(name);
        QVERIFY(a);
        QCOMPARE(a->text(), text);
        QCOMPARE(a->isCheckable(), checkable);
        QCOMPARE(a->isChecked(), checked);
        QVERIFY(a->isEnabled());
        QCOMPARE(a->shortcut(), name == "Human_vs_Computer_Action" ? QKeySequence(Qt::CTRL | Qt::Key_B) : QKeySequence());
        const QString tip = name == "Human_vs_Computer_Action" ? "Free Play" : name == "Close_Action" ? "close" : "";
        QCOMPARE(a->statusTip(), tip);
        QCOMPARE(!a->associatedObjects().isEmpty(), name != "Back_color_yellow_Action");
    }

    void matchCommandsComeBackWithTheFirstScreen()
    {
        Vell w;
        action(w, "Human_vs_Computer_Action")->setEnabled(false);
        action(w, "Human_vs_Computer_Action")->setChecked(true);
        action(w, "Computer_vs_Computer_Action")->setEnabled(false);
        action(w, "Computer_vs_Computer_Action")->setChecked(true);
        w.first_screen();
        QVERIFY(action(w, "Human_vs_Computer_Action")->isEnabled());
        QVERIFY(!action(w, "Human_vs_Computer_Action")->isChecked());
        QVERIFY(action(w, "Computer_vs_Computer_Action")->isEnabled());
        QVERIFY(!action(w, "Computer_vs_Computer_Action")->isChecked());
    }

    void facesOfThePlayedCards()
    {
        Vell w;
        w.card_spade_show(0);
        QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("card back"));
        QVERIFY(!label(w, "CPU_Label_open")->pixmap().isNull());
        w.card_spade_show(9);
        QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("9 of spades"));
        const QImage nine = label(w, "CPU_Label_open")->pixmap().toImage();
        w.card_spade_show(14);
        w.card_spade_show(-1);
        QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("9 of spades"));
        QCOMPARE(label(w, "CPU_Label_open")->pixmap().toImage(), nine);

        w.card_user_show(0);
        QCOMPARE(shown(w, "User_Label_open"), QString());
        w.card_user_show(7);
        QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("7 of clubs"));
        w.card_daiya_show(14);
        QCOMPARE(shown(w, "Daiya_Label_open"), QString());
    }

    void prizeCardAndPile()
    {
        Vell w;
        buf_daiya = {5, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 12};
        N = 11;
        w.card_daiya_open();
        QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("13 of diamonds"));
        QCOMPARE(shown(w, "Daiya_Label_back"), QStringLiteral("card back"));
        N = 12;
        w.card_daiya_open();
        QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("12 of diamonds"));
        QCOMPARE(shown(w, "Daiya_Label_back"), QString());
        QVERIFY(label(w, "Daiya_Label_back")->pixmap().isNull());

        // Past the last prize the table is left so that a match can start again.
        action(w, "Human_vs_Computer_Action")->setEnabled(false);
        action(w, "Human_vs_Computer_Action")->setChecked(true);
        action(w, "Computer_vs_Computer_Action")->setEnabled(false);
        N = 13;
        Round_count = 13;
        w.card_daiya_open();
        QCOMPARE(shown(w, "Daiya_Label_open"), QString());
        QCOMPARE(N, 0);
        QCOMPARE(Round_count, 0);
        QVERIFY(action(w, "Human_vs_Computer_Action")->isEnabled());
        QVERIFY(!action(w, "Human_vs_Computer_Action")->isChecked());
        QVERIFY(action(w, "Computer_vs_Computer_Action")->isEnabled());
    }

    void prizeCardOfTheWatchingMode()
    {
        Vell w;
        buf_daiya = {5, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 12};
        Round_count = 0;
        w.card_daiya_open_auto();
        QCOMPARE(shown(w, "Daiya_Label_open"), QString());
        Round_count = 1;
        w.card_daiya_open_auto();
        QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("5 of diamonds"));
        Round_count = 13;
        w.card_daiya_open_auto();
        QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("12 of diamonds"));
        QCOMPARE(shown(w, "Daiya_Label_back"), QString());
        Round_count = 14;
        w.card_daiya_open_auto();
        QCOMPARE(shown(w, "Daiya_Label_open"), QString());
    }

    void handsOnTheTable()
    {
        Vell w;
        w.Draw_CPU_Card(0);
        QCOMPARE(shown(w, "CPU_Label_card", 1), QString());
        QCOMPARE(shown(w, "CPU_Label_card", 2), QStringLiteral("card back"));
        w.Draw_CPU_Card(12);
        QCOMPARE(shown(w, "CPU_Label_card", 13), QString());
        w.Return_CPU_Card(12);
        QCOMPARE(shown(w, "CPU_Label_card", 13), QStringLiteral("card back"));
        w.Draw_CPU_Card(13);
        QCOMPARE(shown(w, "CPU_Label_card", 13), QString());
        w.Return_CPU_Card(13);
        w.Draw_CPU_Card(14);
        w.Draw_CPU_Card(-1);
        QCOMPARE(shown(w, "CPU_Label_card", 13), QString());
        QCOMPARE(shown(w, "CPU_Label_card", 12), QStringLiteral("card back"));

        w.Clear_User_Card(7);
        QCOMPARE(shown(w, "User_Label_card", 7), QString());
        w.card_user_show(7);
        w.card_spade_show(7);
        w.Return_User_Card(7);
        QCOMPARE(shown(w, "User_Label_card", 7), QStringLiteral("7 of clubs"));
        QVERIFY(!label(w, "User_Label_card", 7)->pixmap().isNull());
        QCOMPARE(shown(w, "User_Label_open"), QString());
        QCOMPARE(shown(w, "CPU_Label_open"), QString());
    }

    void refreshButtonsFollowsThePlayedCards()
    {
        Vell w;
        w.Refresh_buttons();
        QCOMPARE(enabledCards(w), allCards());

        open_button = {5, 0};
        open_count = 1;
        w.Refresh_buttons();
        QCOMPARE(enabledCards(w), (QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13}));
        // A card once recorded stays unplayable for the rest of the match.
        open_button[0] = 0;
        w.Refresh_buttons();
        QVERIFY(!button(w, 5)->isEnabled());

        // A struck entry (a tied card taken back) is skipped.
        button_count.fill(0);
        open_button = {3, 9, 0};
        open_count = 3;
        w.Refresh_buttons();
        QCOMPARE(enabledCards(w), (QList<int>{1, 2, 4, 5, 6, 7, 8, 10, 11, 12, 13}));

        w.All_buttons_disable();
        QCOMPARE(enabledCards(w), QList<int>{});
        w.All_buttons_enable();
        QCOMPARE(enabledCards(w), allCards());
        w.Push_button_setEnabled(14, false);
        w.Push_button_setEnabled(0, false);
        QCOMPARE(enabledCards(w), allCards());
    }
};

QTEST_MAIN(TableTest)
#include "tst_table.moc"
