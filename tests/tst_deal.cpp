// SPDX-License-Identifier: MIT
// The chain that starts a match, step by step, and the commands that start
// one.
#include "fixture.h"

using namespace fixture;

class DealTest : public QObject
{
    Q_OBJECT

private slots:
    void startOfAMatch()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        t.startMatch();

        // Dealt, the table reset, and no way to start another match.
        QCOMPARE(t.match().buf_daiya(), kPrizes);
        QCOMPARE(t.message(), QStringLiteral("Game Start"));
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.occupied("CPU_Label_card"), allCards());
        QCOMPARE(t.occupied("User_Label_card"), allCards());
        QCOMPARE(t.occupied("CPU_Get_Label_card"), QList<int>{});
        QCOMPARE(t.occupied("User_Get_Label_card"), QList<int>{});
        QVERIFY(t.action("Human_vs_Computer_Action")->isChecked());
        QVERIFY(!t.action("Computer_vs_Computer_Action")->isChecked());
        QVERIFY(!t.commandsEnabled());
        QCOMPARE(t.phase(), Match::Phase::Starting);

        // Each step of the chain, as it comes, when the game's timing has it.
        struct Step {
            const char* message;
            int round;
            bool prizeUp;
        };
        const Step chain[] = {{"", 0, false}, {"Round1", 1, false}, {"", 1, true}};
        qint64 atMs = 0;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(t.enabledCards(), QList<int>{});
            QVERIFY(t.time.runNext());
            QCOMPARE(t.steps.last().name.toLatin1(), schedule::kStart[i + 1].name);
            QCOMPARE(t.time.nowMs(), atMs += schedule::kStart[i + 1].delayMs);
            QCOMPARE(t.message(), QString::fromLatin1(chain[i].message));
            QCOMPARE(t.score(), QStringLiteral("Round:%1,Score:CPU=0,User=0,tie=0").arg(chain[i].round));
            QCOMPARE(t.shown("Daiya_Label_open").isEmpty(), !chain[i].prizeUp);
            QVERIFY(!t.commandsEnabled());
        }
        QCOMPARE(t.enabledCards(), allCards());
        QCOMPARE(t.shown("Daiya_Label_open"), diamond(kPrizes[0]));
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.phase(), Match::Phase::WaitingForCard);
        QCOMPARE(t.clock.pending(), 0);
    }

    void ctrlBStartsAMatchOnlyWhenNoneRuns()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(t.message(), QStringLiteral("Game Start"));
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(t.match().buf_daiya(), kPrizes);
        QCOMPARE(t.clock.pending(), 1);
        // Nor can the commands themselves start a second one.
        w.Beginer_start();
        w.Watching_mode();
        QCOMPARE(t.match().buf_daiya(), kPrizes);
        QCOMPARE(t.clock.pending(), 1);
        QCOMPARE(t.match().kind(), Match::Kind::Human);
    }
};

QTEST_MAIN(DealTest)
#include "tst_deal.moc"
