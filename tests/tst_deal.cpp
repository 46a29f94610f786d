// SPDX-License-Identifier: MIT
// The deal, the reset of the table, and the chain that starts a match, step
// by step.
#include "fixture.h"

#include <algorithm>
#include <cstdlib>

using namespace fixture;
using rules::Order;

namespace {

bool isPermutation(Order order)
{
    std::sort(order.begin(), order.end());
    for (int i = 0; i < rules::kCards; ++i) {
        if (order[i] != i + 1)
            return false;
    }
    return true;
}

} // namespace

class DealTest : public QObject
{
    Q_OBJECT

private slots:
    void firstScreenResetsTheTableButNotTheOrders()
    {
        Table t;
        Vell& w = *t.w;
        const Order prizes = {3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        const Order spades = {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
        Match& m = t.match();
        m.buf_daiya = prizes;
        m.buf_spade = spades;
        m.N = 6;
        m.Round_count = 7;
        m.tie_flag = 1;
        m.open_count = 7;
        m.open_button = {1, 2, 3, 4, 5, 6, 0};
        m.CPU_score = 30;
        m.User_score = 11;
        m.tie_count = 2;
        w.Draw_CPU_Card(0);
        w.Clear_User_Card(4);
        w.card_daiya_put(t.label("CPU_Get_Label_card", 3), 3);
        w.card_daiya_put(t.label("User_Get_Label_card", 1), 1);
        w.card_daiya_show(7);
        w.card_user_show(4);
        t.label("Message_Label")->setText(QStringLiteral("You Win"));
        w.All_buttons_enable();

        // Twice in a row, as at the end of a match: the second changes nothing.
        for (int run = 0; run < 2; ++run) {
            w.first_screen();
            QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
            QCOMPARE(m.N + m.Round_count + m.tie_flag + m.open_count, 0);
            QCOMPARE(m.CPU_score + m.User_score + m.tie_count, 0);
            QCOMPARE(m.buf_daiya, prizes);
            QCOMPARE(m.buf_spade, spades);
            QCOMPARE(t.occupied("CPU_Label_card"), allCards());
            QCOMPARE(t.occupied("User_Label_card"), allCards());
            QCOMPARE(t.occupied("CPU_Get_Label_card"), QList<int>{});
            QCOMPARE(t.occupied("User_Get_Label_card"), QList<int>{});
            QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
            // The cards on the table, the message and the buttons are left as they are.
            QCOMPARE(t.shown("Daiya_Label_open"), QStringLiteral("7 of diamonds"));
            QCOMPARE(t.shown("User_Label_open"), QStringLiteral("4 of clubs"));
            QCOMPARE(t.message(), QStringLiteral("You Win"));
            QCOMPARE(t.enabledCards(), allCards());
        }
    }

    void startOfAMatch()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        w.Draw_CPU_Card(3);
        w.card_daiya_put(t.label("User_Get_Label_card", 2), 2);
        std::srand(42);
        t.action("Human_vs_Computer_Action")->trigger();

        // Dealt, the table reset, and no way to start another match.
        QVERIFY(isPermutation(t.match().buf_daiya));
        QVERIFY(isPermutation(t.match().buf_spade));
        QVERIFY(t.match().buf_daiya != (Order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        QCOMPARE(t.message(), QStringLiteral("Game Start"));
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.shown("CPU_Label_card", 4), QStringLiteral("card back"));
        QCOMPARE(t.shown("User_Get_Label_card", 2), QString());
        QVERIFY(t.action("Human_vs_Computer_Action")->isChecked());
        QVERIFY(!t.action("Computer_vs_Computer_Action")->isChecked());
        QVERIFY(!t.commandsEnabled());
        QCOMPARE(t.phase(), Match::Phase::Starting);

        // Each step of the chain, as it comes.
        struct Step {
            qint64 atMs;
            const char* message;
            int round;
            bool prizeUp;
        };
        const Step chain[] = {
            {1500, "", 0, false},
            {3000, "Round1", 1, false},
            {6000, "", 1, true},
        };
        for (const Step& step : chain) {
            QCOMPARE(t.enabledCards(), QList<int>{});
            QVERIFY(t.time.runNext());
            QCOMPARE(t.time.nowMs(), step.atMs);
            QCOMPARE(t.message(), QString::fromLatin1(step.message));
            QCOMPARE(t.score(), QStringLiteral("Round:%1,Score:CPU=0,User=0,tie=0").arg(step.round));
            QCOMPARE(t.shown("Daiya_Label_open").isEmpty(), !step.prizeUp);
            QVERIFY(!t.commandsEnabled());
        }
        QCOMPARE(t.enabledCards(), allCards());
        QCOMPARE(t.shown("Daiya_Label_open"), rules::cardName(rules::Suit::Diamonds, t.match().buf_daiya[0]));
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.match().Round_count, 1);
        QCOMPARE(t.match().N, 0);
        QCOMPARE(t.phase(), Match::Phase::WaitingForCard);
        QCOMPARE(w.pendingSteps(), 0);
    }

    void roundStart()
    {
        Table t;
        Vell& w = *t.w;
        t.match().CPU_score = 11;
        t.match().User_score = 7;
        w.Round_start(0);
        w.Round_start(14);
        QCOMPARE(t.message(), QString());
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        for (int round = 1; round <= 13; ++round) {
            w.Round_start(round);
            QCOMPARE(t.message(), QStringLiteral("Round%1").arg(round));
            QCOMPARE(t.score(), QStringLiteral("Round:%1,Score:CPU=11,User=7,tie=0").arg(round));
        }
    }

    void ctrlBStartsAMatchOnlyWhenNoneRuns()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(t.message(), QStringLiteral("Game Start"));
        const Order prizes = t.match().buf_daiya;
        const rules::Draw draw = t.match().rand_daiya;
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(t.match().buf_daiya, prizes);
        QCOMPARE(t.match().rand_daiya, draw);
        QCOMPARE(w.pendingSteps(), 1);
        // Nor can the slot itself start a second one.
        w.Beginer_start();
        w.Watching_mode();
        QCOMPARE(t.match().buf_daiya, prizes);
        QCOMPARE(w.pendingSteps(), 1);
        QCOMPARE(t.match().kind(), Match::Kind::Human);
    }
};

QTEST_MAIN(DealTest)
#include "tst_deal.moc"
