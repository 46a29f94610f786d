// SPDX-License-Identifier: MIT
// The watching mode: the computer plays both hands from its fixed orders.
#include "app/time_scale.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "recorder.h"

#include <functional>

using namespace table;
using rules::Order;

namespace {

constexpr int kWait = 10000;

struct WatchRound {
    int spade;
    int club;
    bool clubsWin;
};

const WatchRound kRounds[13] = {
    {2, 13, true}, {1, 4, true},    {5, 10, true},  {7, 3, false},  {9, 1, false},   {4, 5, true},  {3, 7, true},
    {8, 2, false}, {13, 6, false}, {10, 8, false}, {11, 12, true}, {12, 9, false}, {6, 11, true},
};

QString message(const Vell& w)
{
    return label(w, "Message_Label")->text();
}

QList<int> emptyPlaces(const Vell& w, const char* row)
{
    QList<int> places;
    for (int v = 1; v <= 13; ++v) {
        if (shown(w, row, v).isEmpty())
            places << v;
    }
    return places;
}

// Follows a whole watching match round by round and checks the table at
// each step; `meanwhile` runs at the start of every round. Returns the final
// totals as (computer, clubs).
QPair<int, int> followWatchingMatch(Vell& w, const Order& prizes, const std::function<void(int)>& meanwhile = {})
{
    action(w, "Computer_vs_Computer_Action")->trigger();
    QList<int> spadesPlayed, clubsPlayed;
    int cpu = 0, user = 0;
    for (int r = 1; r <= 13; ++r) {
        const WatchRound& round = kRounds[r - 1];
        const int prize = prizes[r - 1];
        [&] {
            QVERIFY(QTest::qWaitFor([&] { return message(w) == QStringLiteral("Round%1").arg(r); }, kWait));
            QCOMPARE(Round_count, r);
            if (meanwhile)
                meanwhile(r);
            QVERIFY(QTest::qWaitFor([&] { return !shown(w, "Daiya_Label_open").isEmpty(); }, kWait));
            QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("%1 of diamonds").arg(prize));
            QCOMPARE(shown(w, "Daiya_Label_back"), r == 13 ? QString() : QStringLiteral("card back"));

            // Both cards leave their places in the hands, face down.
            QVERIFY(QTest::qWaitFor([&] { return shown(w, "CPU_Label_open") == "card back"; }, kWait));
            QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("card back"));
            spadesPlayed << round.spade;
            clubsPlayed << round.club;
            std::sort(spadesPlayed.begin(), spadesPlayed.end());
            std::sort(clubsPlayed.begin(), clubsPlayed.end());
            QCOMPARE(emptyPlaces(w, "CPU_Label_card"), spadesPlayed);
            QCOMPARE(emptyPlaces(w, "User_Label_card"), clubsPlayed);

            QVERIFY(QTest::qWaitFor([&] { return shown(w, "CPU_Label_open") != "card back"; }, kWait));
            QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("%1 of spades").arg(round.spade));
            QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("%1 of clubs").arg(round.club));

            QVERIFY(QTest::qWaitFor([&] { return message(w).startsWith("You"); }, kWait));
            QCOMPARE(message(w), round.clubsWin ? QStringLiteral("You Win") : QStringLiteral("You Lose"));
            (round.clubsWin ? user : cpu) += rules::prizePoints(prize);
            QCOMPARE(w.CPU_score, cpu);
            QCOMPARE(w.User_score, user);
            QCOMPARE(shown(w, round.clubsWin ? "User_Get_Label_card" : "CPU_Get_Label_card", prize),
                     QStringLiteral("%1 of diamonds").arg(prize));
            QCOMPARE(label(w, "Score_Label")->text(),
                     QStringLiteral("Round:%1,Score:CPU=%2,User=%3,tie=0").arg(r).arg(cpu).arg(user));
            QCOMPARE(shown(w, "Daiya_Label_open"), QString());
            QCOMPARE(tie_flag, 0);
        }();
        if (QTest::currentTestFailed())
            break;
    }
    return {cpu, user};
}

} // namespace

class WatchTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetMatchState();
        timing::setScale(0.01);
    }

    void rightAfterStartUp()
    {
        Vell w;
        w.show();
        Recorder recorder([&w] { return playState(w); });
        // The dialog, the rules and the colours may be used meanwhile; the
        // mode does not notice.
        const auto [cpu, user] = followWatchingMatch(w, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, [&w](int round) {
            if (round == 4) {
                action(w, "Level_check_Action")->trigger();
                action(w, "Help_Action")->trigger();
                action(w, "Back_color_blue_Action")->trigger();
            } else if (round == 9) {
                w.Level_dialog->close();
                w.Help_window->close();
                action(w, "Back_color_yellow_Action")->trigger();
            }
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(cpu, 48);
        QCOMPARE(user, 53);
        QVERIFY(action(w, "Computer_vs_Computer_Action")->isChecked());

        QVERIFY(QTest::qWaitFor([&] { return !label(w, "Result_Label1")->isHidden(); }, kWait));
        QCOMPARE(label(w, "Result_Label1")->text(), QStringLiteral("1:User=53"));
        QCOMPARE(label(w, "Result_Label2")->text(), QStringLiteral("2:CPU=48"));
        QVERIFY(QTest::qWaitFor([&] { return matchCommandsEnabled(w); }, kWait));
        recorder.sample();

        QVERIFY(label(w, "Result_Label1")->isHidden());
        QVERIFY(!action(w, "Computer_vs_Computer_Action")->isChecked());
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(emptyPlaces(w, "CPU_Label_card"), QList<int>{});
        QCOMPARE(emptyPlaces(w, "User_Label_card"), QList<int>{});
        QCOMPARE(emptyPlaces(w, "CPU_Get_Label_card"), allCards());
        QCOMPARE(emptyPlaces(w, "User_Get_Label_card"), allCards());
        QCOMPARE(shown(w, "Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(w.pendingSteps(), 0);

        // The player's buttons never came on, and neither match command could
        // be chosen before the result lines were down.
        const QStringList& states = recorder.states();
        QVERIFY(recorder.find("buttons on") < 0);
        QCOMPARE(recorder.find("commands on", 1), states.size() - 1);
        QVERIFY(states.at(states.size() - 2).endsWith("|result"));
        QCOMPARE(states.first(), QStringLiteral("|buttons off|commands on"));
        QCOMPARE(states.at(1), QStringLiteral("Game Start|buttons off|commands off"));
    }

    void afterAHumanMatch()
    {
        Vell w;
        w.show();
        action(w, "Human_vs_Computer_Action")->trigger();
        while (!matchCommandsEnabled(w)) {
            QVERIFY(QTest::qWaitFor([&] { return !enabledCards(w).isEmpty() || matchCommandsEnabled(w); }, kWait));
            if (!enabledCards(w).isEmpty())
                QTest::mouseClick(button(w, untiedCard(w)), Qt::LeftButton);
        }
        const Order dealt = buf_daiya;
        const Order computer = buf_spade;

        const auto [cpu, user] = followWatchingMatch(w, dealt);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(cpu + user, rules::kAllPrizePoints);
        QVERIFY(QTest::qWaitFor([&] { return !label(w, "Result_Label1")->isHidden(); }, kWait));
        QCOMPARE(label(w, "Result_Label1")->text(), rules::resultLines(cpu, user).first);
        QCOMPARE(label(w, "Result_Label2")->text(), rules::resultLines(cpu, user).second);
        QVERIFY(QTest::qWaitFor([&] { return matchCommandsEnabled(w); }, kWait));
        // The mode deals nothing and leaves the human match's orders alone.
        QCOMPARE(buf_daiya, dealt);
        QCOMPARE(buf_spade, computer);
    }

    void autoPlayIgnoresCardsOutsideTheHand()
    {
        Vell w;
        w.AutoPlay(0, 14);
        QCOMPARE(emptyPlaces(w, "CPU_Label_card"), QList<int>{});
        QCOMPARE(emptyPlaces(w, "User_Label_card"), QList<int>{});
        QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("card back"));
        QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("card back"));
        w.AutoPlay(9, 1);
        QCOMPARE(emptyPlaces(w, "CPU_Label_card"), QList<int>{9});
        QCOMPARE(emptyPlaces(w, "User_Label_card"), QList<int>{1});
    }
};

QTEST_MAIN(WatchTest)
#include "tst_watch.moc"
