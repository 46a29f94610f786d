// SPDX-License-Identifier: MIT
// Whole matches against the computer with a scripted player and known card
// orders: every round's outcome, the order of the steps, ties, and the end.
#include "app/time_scale.h"
#include "recorder.h"

#include <QSet>

using namespace table;
using rules::Order;

Q_DECLARE_METATYPE(Order)

namespace {

constexpr int kWait = 10000;

struct Round {
    int club;
    const char* verdict;
    int cpu;   // totals after the round
    int user;
};

// Prizes 7 1 13 4 10 2 12 5 9 3 11 6 8 against the computer's
// 5 12 1 9 3 13 7 2 11 6 4 10 8.
const Order kPrizes = {7, 1, 13, 4, 10, 2, 12, 5, 9, 3, 11, 6, 8};
const Order kSpades = {5, 12, 1, 9, 3, 13, 7, 2, 11, 6, 4, 10, 8};
const Round kScript[13] = {
    {6, "You Win", 0, 7},     {2, "You Lose", 11, 7},   {3, "You Win", 11, 20},  {8, "You Lose", 15, 20},
    {4, "You Win", 15, 30},   {10, "You Lose", 17, 30}, {13, "You Win", 17, 42}, {1, "You Lose", 22, 42},
    {12, "You Win", 22, 51},  {5, "You Lose", 25, 51},  {11, "You Win", 25, 62}, {9, "You Lose", 31, 62},
    {7, "You Lose", 39, 62},
};

QString message(const Vell& w)
{
    return label(w, "Message_Label")->text();
}

void click(const Vell& w, int club)
{
    QTest::mouseClick(button(w, club), Qt::LeftButton);
}

// Starts a match from the menu and puts the given orders in place of the deal.
void startMatch(Vell& w, const Order& prizes, const Order& spades)
{
    action(w, "Human_vs_Computer_Action")->trigger();
    buf_daiya = prizes;
    buf_spade = spades;
}

bool waitForPlay(const Vell& w)
{
    return QTest::qWaitFor([&] { return !enabledCards(w).isEmpty(); }, kWait);
}

QList<int> unplayed(const QSet<int>& played)
{
    QList<int> cards;
    for (int v = 1; v <= 13; ++v) {
        if (!played.contains(v))
            cards << v;
    }
    return cards;
}

// Places 1..13 of a row that show a card.
QList<int> occupied(const Vell& w, const char* row)
{
    QList<int> places;
    for (int v = 1; v <= 13; ++v) {
        if (!shown(w, row, v).isEmpty())
            places << v;
    }
    return places;
}

} // namespace

class MatchTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetMatchState();
        timing::setScale(0.01);
    }

    void completeMatch()
    {
        Vell w;
        w.show();
        startMatch(w, kPrizes, kSpades);
        QSet<int> played;
        QList<int> cpuWon, userWon;
        for (int r = 0; r < 13; ++r) {
            const Round& round = kScript[r];
            QVERIFY(waitForPlay(w));
            QCOMPARE(enabledCards(w), unplayed(played));
            QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("%1 of diamonds").arg(kPrizes[r]));
            QCOMPARE(message(w), QString());
            QCOMPARE(Round_count, r + 1);

            click(w, round.club);
            played << round.club;
            QCOMPARE(message(w), QStringLiteral("Card Open"));
            QCOMPARE(enabledCards(w), QList<int>{});
            QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("%1 of clubs").arg(round.club));
            QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("card back"));
            QCOMPARE(shown(w, "User_Label_card", round.club), QString());
            QCOMPARE(occupied(w, "CPU_Label_card").size(), 12 - r);
            QCOMPARE(shown(w, "CPU_Label_card", r + 1), QString());
            QCOMPARE(open_count, r + 1);
            QCOMPARE(open_button[r], round.club);

            QVERIFY(QTest::qWaitFor([&] { return message(w).startsWith("You"); }, kWait));
            QCOMPARE(message(w), QString::fromLatin1(round.verdict));
            QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("%1 of spades").arg(kSpades[r]));
            QCOMPARE(shown(w, "Daiya_Label_open"), QString());
            QCOMPARE(w.CPU_score, round.cpu);
            QCOMPARE(w.User_score, round.user);
            QCOMPARE(label(w, "Score_Label")->text(),
                     QStringLiteral("Round:%1,Score:CPU=%2,User=%3,tie=0").arg(r + 1).arg(round.cpu).arg(round.user));
            (QLatin1String(round.verdict) == QLatin1String("You Win") ? userWon : cpuWon) << kPrizes[r];
            std::sort(cpuWon.begin(), cpuWon.end());
            std::sort(userWon.begin(), userWon.end());
            QCOMPARE(occupied(w, "CPU_Get_Label_card"), cpuWon);
            QCOMPARE(occupied(w, "User_Get_Label_card"), userWon);
            QCOMPARE(shown(w, "User_Get_Label_card", kPrizes[r]),
                     userWon.contains(kPrizes[r]) ? QStringLiteral("%1 of diamonds").arg(kPrizes[r]) : QString());
            QCOMPARE(N, r + 1);
            QCOMPARE(open_count, r + 1);
            QCOMPARE(enabledCards(w), QList<int>{});
        }
        QCOMPARE(shown(w, "Daiya_Label_back"), QString());

        QVERIFY(QTest::qWaitFor([&] { return !label(w, "Result_Label1")->isHidden(); }, kWait));
        QCOMPARE(label(w, "Result_Label1")->text(), QStringLiteral("1:User=62"));
        QCOMPARE(label(w, "Result_Label2")->text(), QStringLiteral("2:CPU=39"));
        QVERIFY(!label(w, "Result_Label2")->isHidden());
        QCOMPARE(w.CPU_score + w.User_score, rules::kAllPrizePoints);
        while (!label(w, "Result_Label1")->isHidden()) {
            QVERIFY(!matchCommandsEnabled(w));
            QCOMPARE(enabledCards(w), QList<int>{});
            QTest::qWait(1);
        }
        QVERIFY(label(w, "Result_Label2")->isHidden());
        QVERIFY(matchCommandsEnabled(w));
        QVERIFY(!action(w, "Human_vs_Computer_Action")->isChecked());
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(occupied(w, "CPU_Label_card").size(), 13);
        QCOMPARE(occupied(w, "User_Label_card").size(), 13);
        QCOMPARE(occupied(w, "CPU_Get_Label_card"), QList<int>{});
        QCOMPARE(occupied(w, "User_Get_Label_card"), QList<int>{});
        QCOMPARE(shown(w, "Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(w.pendingSteps(), 0);

        // A new match can start from the reset table.
        action(w, "Human_vs_Computer_Action")->trigger();
        QCOMPARE(message(w), QStringLiteral("Game Start"));
        QVERIFY(waitForPlay(w));
        QCOMPARE(enabledCards(w), allCards());
    }

    void orderOfTheSteps()
    {
        Vell w;
        w.show();
        startMatch(w, kPrizes, kSpades);
        QVERIFY(waitForPlay(w));
        Recorder recorder([&w] { return playState(w) + "|" + shown(w, "CPU_Label_open"); });
        for (int r = 0; r < 13; ++r) {
            QVERIFY(waitForPlay(w));
            recorder.sample();
            click(w, kScript[r].club);
        }
        QVERIFY(QTest::qWaitFor([&] { return matchCommandsEnabled(w); }, kWait));
        recorder.sample();
        const QStringList& s = recorder.states();

        // One middle round, from the click on.
        int at = recorder.find("Card Open|buttons off|commands off|card back");
        QVERIFY(at >= 0);
        const QStringList round = {
            "|buttons off|commands off|5 of spades",   // computer's card up
            "You Win|buttons off|commands off|5 of spades",
            "|buttons off|commands off|",              // table cleared
            "Round2|buttons off|commands off|",         // banner, no play yet
            "|buttons on|commands off|",               // prize up, play
        };
        for (const QString& expected : round) {
            QCOMPARE(s.value(++at), expected);
        }

        // The end of the match: the verdict, the table cleared with the
        // result up, the reset, and the commands only once the lines are down.
        at = recorder.find("You Lose|buttons off|commands off|8 of spades");
        QVERIFY(at >= 0);
        QStringList ending = s.mid(at + 1);
        // Clearing the table and showing the lines are two steps due at the
        // same moment; a sample may fall between them.
        ending.removeAll(QStringLiteral("|buttons off|commands off|"));
        QCOMPARE(ending, (QStringList{"|buttons off|commands off|result|", "|buttons off|commands on|"}));
    }

    void tieInAMiddleRound()
    {
        Vell w;
        w.show();
        // Round 1 pits the computer's 7 against whatever the player plays.
        const Order spades = {7, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13};
        const Order prizes = {4, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        startMatch(w, prizes, spades);
        QVERIFY(waitForPlay(w));
        Recorder recorder([&w] { return playState(w); });

        for (int repeat = 1; repeat <= 2; ++repeat) {
            recorder.sample();
            click(w, 7);
            QVERIFY(QTest::qWaitFor([&] { return message(w) == "This is tie"; }, kWait));
            QCOMPARE(shown(w, "CPU_Label_open"), QStringLiteral("7 of spades"));
            QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("7 of clubs"));
            QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("4 of diamonds"));
            QVERIFY(waitForPlay(w));

            // The round as it was before the tied play, the tie counted.
            QCOMPARE(N, 0);
            QCOMPARE(Round_count, 1);
            QCOMPARE(w.CPU_score, 0);
            QCOMPARE(w.User_score, 0);
            QCOMPARE(w.tie_count, repeat);
            QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:1,Score:CPU=0,User=0,tie=%1").arg(repeat));
            QCOMPARE(open_count, 1);
            QCOMPARE(open_button[0], 0);
            QCOMPARE(tie_flag, 1);
            QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("4 of diamonds"));
            QCOMPARE(occupied(w, "CPU_Label_card"), allCards());
            QCOMPARE(occupied(w, "User_Label_card"), allCards());
            QCOMPARE(enabledCards(w), allCards());
            QCOMPARE(shown(w, "CPU_Label_open"), QString());
            QCOMPARE(shown(w, "User_Label_open"), QString());
            QCOMPARE(buf_spade, spades);
        }
        const QStringList tie = {"This is tie|buttons off|commands off", "No Count|buttons off|commands off",
                                 "Round1|buttons off|commands off", "|buttons on|commands off"};
        const int first = recorder.find(tie[0]);
        QVERIFY(first >= 0);
        QCOMPARE(recorder.states().mid(first, 4), tie);

        // Another card decides the round; the computer plays its 7 again.
        click(w, 9);
        QCOMPARE(open_count, 1);
        QCOMPARE(open_button[0], 9);
        QVERIFY(QTest::qWaitFor([&] { return message(w) == "You Win"; }, kWait));
        QCOMPARE(w.User_score, 4);
        QCOMPARE(N, 1);
        QCOMPARE(tie_flag, 0);

        // The rest of the match: the player plays the highest card left that
        // does not tie, so that the last round cannot tie.
        QSet<int> played{9};
        while (N < 13) {
            QVERIFY(waitForPlay(w));
            const int club = untiedCard(w);
            QVERIFY(!played.contains(club));
            played << club;
            click(w, club);
            QVERIFY(open_count <= 13);
            QVERIFY(QTest::qWaitFor([&] { return message(w).startsWith("You") || message(w) == "This is tie"; }, kWait));
            QVERIFY(QTest::qWaitFor([&] { return message(w).isEmpty(); }, kWait));
        }
        QCOMPARE(open_count, 13);
        QCOMPARE(QSet<int>(open_button.begin(), open_button.begin() + 13), QSet<int>(played));
        QCOMPARE(played.size(), 13);
        QVERIFY(QTest::qWaitFor([&] { return !label(w, "Result_Label1")->isHidden(); }, kWait));
        QCOMPARE(w.CPU_score + w.User_score, rules::kAllPrizePoints);
    }

    void tieInTheLastRound_data()
    {
        QTest::addColumn<Order>("prizes");
        QTest::addColumn<Order>("spades");
        QTest::addColumn<QList<int>>("clubs");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");

        // The computer takes the first eight prizes, the player the next four,
        // and the ace is left over: 45 each.
        QTest::newRow("level totals") << Order{2, 3, 4, 5, 6, 7, 8, 10, 13, 12, 11, 9, 1}
                                      << Order{6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 3, 4, 5}
                                      << QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 5}
                                      << "1:CPU=45" << "1:User=45";
        // The computer wins eleven prizes, the player one, the king is left over.
        QTest::newRow("computer ahead") << Order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}
                                        << Order{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 13}
                                        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}
                                        << "1:CPU=76" << "2:User=12";
    }

    void tieInTheLastRound()
    {
        QFETCH(Order, prizes);
        QFETCH(Order, spades);
        QFETCH(QList<int>, clubs);
        QFETCH(QString, first);
        QFETCH(QString, second);

        Vell w;
        w.show();
        startMatch(w, prizes, spades);
        for (int r = 0; r < 12; ++r) {
            QVERIFY(waitForPlay(w));
            click(w, clubs[r]);
        }
        QVERIFY(waitForPlay(w));
        QCOMPARE(enabledCards(w), QList<int>{clubs[12]});
        Recorder recorder([&w] { return playState(w) + "|" + shown(w, "Daiya_Label_open"); });
        click(w, clubs[12]);

        QVERIFY(QTest::qWaitFor([&] { return !label(w, "Result_Label1")->isHidden(); }, kWait));
        QCOMPARE(label(w, "Result_Label1")->text(), first);
        QCOMPARE(label(w, "Result_Label2")->text(), second);
        QCOMPARE(w.CPU_score + w.User_score, rules::kAllPrizePoints - rules::prizePoints(prizes[12]));
        QCOMPARE(w.tie_count, 1);
        // The prize went to nobody.
        QCOMPARE(occupied(w, "CPU_Get_Label_card").contains(prizes[12]), false);
        QCOMPARE(occupied(w, "User_Get_Label_card").contains(prizes[12]), false);
        QCOMPARE(open_count, 13);

        QVERIFY(QTest::qWaitFor([&] { return matchCommandsEnabled(w); }, kWait));
        recorder.sample();
        const QString prize = rules::cardName(rules::Suit::Diamonds, prizes[12]);
        const QStringList ending = {
            "This is tie|buttons off|commands off|" + prize,
            "No Count|buttons off|commands off|" + prize,
            "|buttons off|commands off|",                 // the prize leaves, unawarded
            "|buttons off|commands off|result|",
            "|buttons off|commands on|",
        };
        const int at = recorder.find(ending[0]);
        QVERIFY(at >= 0);
        QCOMPARE(recorder.states().mid(at), ending);
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(w.pendingSteps(), 0);
    }

    void scoring()
    {
        Vell w;
        Round_count = 3;
        w.Add_Score_Player(0);
        w.Add_Score_CPU(14);
        w.Get_Card_Player(0);
        w.Get_Card_CPU(14);
        QCOMPARE(w.User_score + w.CPU_score, 0);
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(occupied(w, "CPU_Get_Label_card"), QList<int>{});
        QCOMPARE(occupied(w, "User_Get_Label_card"), QList<int>{});

        w.Add_Score_CPU(1);
        QCOMPARE(w.CPU_score, 11);
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:3,Score:CPU=11,User=0,tie=0"));
        w.Add_Score_Player(13);
        QCOMPARE(w.User_score, 13);
        w.Get_Card_CPU(1);
        QCOMPARE(occupied(w, "CPU_Get_Label_card"), QList<int>{1});
        QCOMPARE(shown(w, "CPU_Get_Label_card", 1), QStringLiteral("1 of diamonds"));
    }

    void judgingARound()
    {
        Vell w;
        buf_daiya[0] = 1;
        w.card_daiya_show(1);
        // The player's 5 against the computer's 9 for the ace.
        w.Judge_round(9, 5);
        QCOMPARE(message(w), QStringLiteral("You Lose"));
        QCOMPARE(w.CPU_score, 11);
        QCOMPARE(shown(w, "CPU_Get_Label_card", 1), QStringLiteral("1 of diamonds"));
        QCOMPARE(shown(w, "Daiya_Label_open"), QString());
        QCOMPARE(N, 1);
        QCOMPARE(tie_flag, 0);
        QCOMPARE(w.pendingSteps(), 1);

        w.card_daiya_show(buf_daiya[1]);
        w.Judge_round(6, 6);
        QCOMPARE(message(w), QStringLiteral("This is tie"));
        QCOMPARE(N, 1);
        QCOMPARE(tie_flag, 1);
        QCOMPARE(w.CPU_score + w.User_score, 11);
        QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("2 of diamonds"));
    }
};

QTEST_MAIN(MatchTest)
#include "tst_match.moc"
