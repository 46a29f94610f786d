// SPDX-License-Identifier: MIT
// The deal, the reset of the table, and the chain that starts a match.
#include "app/time_scale.h"
#include "table_helpers.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>

using namespace table;
using rules::Order;

namespace {

bool isPermutation(const Order& order)
{
    Order sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < rules::kCards; ++i) {
        if (sorted[i] != i + 1)
            return false;
    }
    return true;
}

int movedPlaces(const Order& before, const Order& after)
{
    int moved = 0;
    for (int i = 0; i < rules::kCards; ++i)
        moved += before[i] != after[i];
    return moved;
}

bool drawInRange(const rules::Draw& draw)
{
    return std::all_of(draw.begin(), draw.end(), [](int p) { return p >= 0 && p < rules::kCards; });
}

} // namespace

class DealTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetMatchState();
        timing::setScale(0.01);
    }

    void consecutiveDeals()
    {
        Vell w;
        std::srand(20261207);
        for (int deal = 0; deal < 400; ++deal) {
            const Order prizesBefore = buf_daiya;
            const Order spadesBefore = buf_spade;
            // The start chain is armed but never runs: no event loop turns here.
            w.Beginer_start();
            QVERIFY(drawInRange(w.rand_daiya));
            QVERIFY(drawInRange(w.rand_spade));
            QVERIFY(isPermutation(buf_daiya));
            QVERIFY(isPermutation(buf_spade));
            QVERIFY(movedPlaces(prizesBefore, buf_daiya) <= 6);
            QVERIFY(movedPlaces(spadesBefore, buf_spade) <= 8);

            // The computer's first card changes place with the third place
            // drawn for the prizes, not for its own cards.
            Order prizes = prizesBefore;
            rules::shufflePass(prizes, w.rand_daiya);
            QCOMPARE(buf_daiya, prizes);
            Order spades = spadesBefore;
            rules::shufflePass(spades, w.rand_spade);
            std::swap(spades[0], spades[w.rand_daiya[2]]);
            QCOMPARE(buf_spade, spades);
        }
    }

    void firstScreenResetsTheMatchButNotTheOrders()
    {
        Vell w;
        const Order prizes = {3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        const Order spades = {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
        buf_daiya = prizes;
        buf_spade = spades;
        N = 6;
        Round_count = 7;
        tie_flag = 1;
        open_count = 7;
        open_button = {1, 2, 3, 4, 5, 6, 0};
        button_count = {0, 1, 2, 3, 4, 5, 6};
        buf_spade_save = {0, 0, 0, 0, 0, 0, 7, 6, 5, 4, 3, 2, 1};
        w.CPU_score = 30;
        w.User_score = 11;
        w.tie_count = 2;
        w.Draw_CPU_Card(0);
        w.Clear_User_Card(4);
        w.card_daiya_put(label(w, "CPU_Get_Label_card", 3), 3);
        w.card_daiya_put(label(w, "User_Get_Label_card", 1), 1);
        w.card_daiya_show(7);
        w.card_user_show(4);
        label(w, "Message_Label")->setText(QStringLiteral("You Win"));
        w.All_buttons_enable();

        for (int run = 0; run < 2; ++run) {
            w.first_screen();
            QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
            QCOMPARE(N, 0);
            QCOMPARE(Round_count, 0);
            QCOMPARE(tie_flag, 0);
            QCOMPARE(open_count, 0);
            QCOMPARE(open_button, (std::array<int, 14>{}));
            QCOMPARE(button_count, (std::array<int, 14>{}));
            QCOMPARE(buf_spade_save, (std::array<int, 14>{}));
            QCOMPARE(w.CPU_score + w.User_score + w.tie_count, 0);
            QCOMPARE(buf_daiya, prizes);
            QCOMPARE(buf_spade, spades);
            QCOMPARE(shown(w, "CPU_Label_card", 1), QStringLiteral("card back"));
            QCOMPARE(shown(w, "User_Label_card", 4), QStringLiteral("4 of clubs"));
            QCOMPARE(shown(w, "CPU_Get_Label_card", 3), QString());
            QCOMPARE(shown(w, "User_Get_Label_card", 1), QString());
            QCOMPARE(shown(w, "Daiya_Label_back"), QStringLiteral("card back"));
            // The cards on the table, the message and the buttons are left as they are.
            QCOMPARE(shown(w, "Daiya_Label_open"), QStringLiteral("7 of diamonds"));
            QCOMPARE(shown(w, "User_Label_open"), QStringLiteral("4 of clubs"));
            QCOMPARE(label(w, "Message_Label")->text(), QStringLiteral("You Win"));
            QCOMPARE(enabledCards(w), allCards());
        }
    }

    void startOfAMatch()
    {
        Vell w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Draw_CPU_Card(3);
        w.card_daiya_put(label(w, "User_Get_Label_card", 2), 2);
        action(w, "Human_vs_Computer_Action")->trigger();

        QCOMPARE(label(w, "Message_Label")->text(), QStringLiteral("Game Start"));
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(shown(w, "CPU_Label_card", 4), QStringLiteral("card back"));
        QCOMPARE(shown(w, "User_Get_Label_card", 2), QString());
        QVERIFY(action(w, "Human_vs_Computer_Action")->isChecked());
        QVERIFY(!action(w, "Computer_vs_Computer_Action")->isChecked());

        // Follow the chain until the player may play, checking at every turn
        // that nothing can start another match meanwhile.
        QStringList messages{label(w, "Message_Label")->text()};
        QString scoreAtBanner;
        QElapsedTimer clock;
        clock.start();
        while (enabledCards(w).isEmpty() && clock.elapsed() < 5000) {
            QVERIFY(!matchCommandsEnabled(w));
            QCOMPARE(shown(w, "Daiya_Label_open"), QString());
            QTest::qWait(1);
            const QString message = label(w, "Message_Label")->text();
            if (message != messages.last()) {
                messages << message;
                if (message == QLatin1String("Round1"))
                    scoreAtBanner = label(w, "Score_Label")->text();
            }
        }
        QCOMPARE(messages, (QStringList{"Game Start", "", "Round1", ""}));
        QCOMPARE(scoreAtBanner, QStringLiteral("Round:1,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(enabledCards(w), allCards());
        QCOMPARE(shown(w, "Daiya_Label_open"), rules::cardName(rules::Suit::Diamonds, buf_daiya[0]));
        QCOMPARE(shown(w, "Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(Round_count, 1);
        QCOMPARE(N, 0);
        QVERIFY(!matchCommandsEnabled(w));
        QCOMPARE(w.pendingSteps(), 0);
    }

    void roundStart()
    {
        Vell w;
        w.CPU_score = 11;
        w.User_score = 7;
        w.Round_start(0);
        w.Round_start(14);
        QCOMPARE(label(w, "Message_Label")->text(), QString());
        QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));

        for (int round = 1; round <= 13; ++round) {
            w.Round_start(round);
            QCOMPARE(label(w, "Message_Label")->text(), QStringLiteral("Round%1").arg(round));
            QCOMPARE(label(w, "Score_Label")->text(), QStringLiteral("Round:%1,Score:CPU=11,User=7,tie=0").arg(round));
        }
    }

    void ctrlBStartsAMatchOnlyWhenNoneRuns()
    {
        Vell w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(label(w, "Message_Label")->text(), QStringLiteral("Game Start"));
        const Order prizes = buf_daiya;
        const rules::Draw draw = w.rand_daiya;
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(buf_daiya, prizes);
        QCOMPARE(w.rand_daiya, draw);
        QCOMPARE(w.pendingSteps(), 1);
    }
};

QTEST_MAIN(DealTest)
#include "tst_deal.moc"
