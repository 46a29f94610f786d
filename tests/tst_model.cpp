// SPDX-License-Identifier: MIT
// The match model without a window: the deal, the rounds it decides, ties,
// the cards left to play, and the phase a match is in.
#include "core/match.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using rules::Order;
using rules::Verdict;
using Phase = Match::Phase;

Q_DECLARE_METATYPE(Order)
Q_DECLARE_METATYPE(Verdict)

namespace {

Order ascending()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

// A human match dealt with the given orders, waiting for the first card.
Match dealt(const Order& prizes, const Order& spades)
{
    Match m;
    m.begin(Match::Kind::Human);
    m.buf_daiya = prizes;
    m.buf_spade = spades;
    m.first_screen();
    m.nextRound();
    m.letPlayerPlay();
    return m;
}

// Plays club k against the computer's card and judges the round, the way
// the window's steps do.
Match::Judgement play(Match& m, int k)
{
    if (!m.recordPlay(k))
        return {Verdict::Tie, -1};
    return m.judgeRound(m.computerCard(), m.playedCard());
}

// After a decided round, the next one; after a tie, the same round again.
void nextTurn(Match& m, const Match::Judgement& j)
{
    if (j.verdict == Verdict::Tie) {
        m.saveComputerCards();
        m.strikeTiedPlay();
    } else {
        m.nextRound();
    }
    m.letPlayerPlay();
}

QList<int> playable(Match& m)
{
    QList<int> cards;
    const auto open = m.playableCards();
    for (int v = 1; v <= rules::kCards; ++v) {
        if (open[v - 1])
            cards << v;
    }
    return cards;
}

bool isPermutation(Order order)
{
    std::sort(order.begin(), order.end());
    return order == ascending();
}

} // namespace

class ModelTest : public QObject
{
    Q_OBJECT

private slots:
    void oneRound_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("club");
        QTest::addColumn<Verdict>("verdict");
        // Prizes 1..13 in order, the computer's spades in the same order:
        // at position p the prize and the computer's card are both p + 1.
        for (int p = 0; p < rules::kCards; ++p) {
            const int spade = p + 1;
            if (spade < 13)
                QTest::addRow("won at position %d", p) << p << spade + 1 << Verdict::PlayerWins;
            if (spade > 1)
                QTest::addRow("lost at position %d", p) << p << spade - 1 << Verdict::ComputerWins;
            QTest::addRow("tied at position %d", p) << p << spade << Verdict::Tie;
        }
    }

    void oneRound()
    {
        QFETCH(int, position);
        QFETCH(int, club);
        QFETCH(Verdict, verdict);
        Match m = dealt(ascending(), ascending());
        m.N = position;
        m.Round_count = position + 1;
        m.open_count = position;
        m.CPU_score = 20;
        m.User_score = 30;
        const int prize = position + 1;
        const int points = prize == 1 ? 11 : prize;

        const Match::Judgement j = play(m, club);
        QCOMPARE(j.verdict, verdict);
        QCOMPARE(j.prize, prize);
        QCOMPARE(m.open_count, position + 1);
        QCOMPARE(m.open_button[position], club);
        switch (verdict) {
        case Verdict::PlayerWins:
            QCOMPARE(m.User_score, 30 + points);
            QCOMPARE(m.CPU_score, 20);
            break;
        case Verdict::ComputerWins:
            QCOMPARE(m.CPU_score, 20 + points);
            QCOMPARE(m.User_score, 30);
            break;
        case Verdict::Tie:
            QCOMPARE(m.CPU_score + m.User_score, 50);
            break;
        }
        const bool tie = verdict == Verdict::Tie;
        QCOMPARE(m.N, tie ? position : position + 1);
        QCOMPARE(m.tie_flag, tie ? 1 : 0);
        QCOMPARE(m.tie_count, tie ? 1 : 0);
        QCOMPARE(m.phase(), tie ? Phase::Tie : Phase::Revealing);
        QCOMPARE(m.Score_text, rules::scoreLine(position + 1, m.CPU_score, m.User_score, m.tie_count));
    }

    void repeatedTiesThenADecision()
    {
        // The computer plays 7 first: club 7 ties as often as it is played.
        Match m = dealt({4, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13}, {7, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13});
        for (int repeat = 1; repeat <= 3; ++repeat) {
            const Match::Judgement j = play(m, 7);
            QCOMPARE(j.verdict, Verdict::Tie);
            QCOMPARE(m.playedCard(), 7);
            nextTurn(m, j);
            // The round as it was before the tied play, the tie counted.
            QCOMPARE(m.N, 0);
            QCOMPARE(m.Round_count, 1);
            QCOMPARE(m.open_count, 1);
            QCOMPARE(m.open_button[0], 0);
            QCOMPARE(m.tie_flag, 1);
            QCOMPARE(m.tie_count, repeat);
            QCOMPARE(m.CPU_score + m.User_score, 0);
            QCOMPARE(m.computerCard(), 7);
            QCOMPARE(playable(m), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
            QCOMPARE(m.buf_spade_save[0], 7);
        }
        // Another card decides it and takes the tied card's entry.
        const Match::Judgement j = play(m, 9);
        QCOMPARE(j.verdict, Verdict::PlayerWins);
        QCOMPARE(m.open_count, 1);
        QCOMPARE(m.open_button[0], 9);
        QCOMPARE(m.User_score, 4);
        QCOMPARE(m.N, 1);
        QCOMPARE(m.tie_flag, 0);
        QVERIFY(isPermutation(m.buf_spade));
    }

    void playableCardsAfterEveryKindOfRound()
    {
        Match m = dealt(ascending(), {5, 12, 1, 9, 3, 13, 7, 2, 11, 6, 4, 10, 8});
        QCOMPARE(playable(m), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        // Won: 6 against 5.
        Match::Judgement j = play(m, 6);
        QCOMPARE(j.verdict, Verdict::PlayerWins);
        nextTurn(m, j);
        QCOMPARE(playable(m), (QList<int>{1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13}));
        // Lost: 2 against 12.
        j = play(m, 2);
        QCOMPARE(j.verdict, Verdict::ComputerWins);
        nextTurn(m, j);
        QCOMPARE(playable(m), (QList<int>{1, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13}));
        // Tied: 1 against 1; the 1 comes back.
        j = play(m, 1);
        QCOMPARE(j.verdict, Verdict::Tie);
        nextTurn(m, j);
        QCOMPARE(playable(m), (QList<int>{1, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13}));
        // The replay decided with another card: the 1 stays playable.
        j = play(m, 3);
        QCOMPARE(j.verdict, Verdict::PlayerWins);
        nextTurn(m, j);
        QCOMPARE(playable(m), (QList<int>{1, 4, 5, 7, 8, 9, 10, 11, 12, 13}));
        QCOMPARE(m.open_count, 3);
        QCOMPARE(QList<int>(m.open_button.begin(), m.open_button.begin() + 3), (QList<int>{6, 2, 3}));
        // A card already played is not taken again.
        QVERIFY(m.recordPlay(6));
        QCOMPARE(m.playedCard(), 6);
        QCOMPARE(playable(m).contains(6), false);
    }

    void aPlayIsRecordedOnlyWhileTheCardIsAwaited()
    {
        Match m = dealt(ascending(), ascending());
        QVERIFY(m.recordPlay(4));
        QCOMPARE(m.phase(), Phase::Revealing);
        // A second play in the same round is refused.
        QVERIFY(!m.recordPlay(5));
        QCOMPARE(m.open_count, 1);
        m.letPlayerPlay();
        QVERIFY(!m.recordPlay(0));
        QVERIFY(!m.recordPlay(14));
        QCOMPARE(m.open_count, 1);
        Match idle;
        QVERIFY(!idle.recordPlay(3));
        QCOMPARE(idle.open_count, 0);
    }

    void lastRoundTie()
    {
        // The player wins the odd prizes and loses the even ones, playing
        // 2, 1, 4, 3 .. 12, 11: then each side holds only its 13.
        Match m = dealt(ascending(), ascending());
        for (int round = 1; round <= 12; ++round) {
            QVERIFY(!m.tieCannotBeReplayed());
            const Match::Judgement j = play(m, round % 2 == 1 ? round + 1 : round - 1);
            QVERIFY(j.verdict != Verdict::Tie);
            nextTurn(m, j);
        }
        QCOMPARE(m.User_score, 11 + 3 + 5 + 7 + 9 + 11);
        QCOMPARE(m.CPU_score, 2 + 4 + 6 + 8 + 10 + 12);
        QCOMPARE(playable(m), QList<int>{13});
        QCOMPARE(m.computerCard(), 13);
        QCOMPARE(m.N, 12);
        const int before = m.CPU_score + m.User_score;
        const Match::Judgement j = play(m, 13);
        QCOMPARE(j.verdict, Verdict::Tie);
        QVERIFY(m.tieCannotBeReplayed());
        m.leaveLastPrizeUnawarded();
        QCOMPARE(m.N, 13);
        QCOMPARE(m.tie_flag, 0);
        QCOMPARE(m.CPU_score + m.User_score, before);
        QCOMPARE(m.CPU_score + m.User_score, rules::kAllPrizePoints - 13);
        QCOMPARE(m.computerCard(), 0);
        QCOMPARE(m.prizeToOpen(), 0);
        m.showResult();
        QCOMPARE(m.phase(), Phase::ShowingResult);
        QCOMPARE(m.Result_text1, rules::resultLines(m.CPU_score, m.User_score).first);
    }

    void aWholeMatchAddsUpTo101()
    {
        std::srand(7);
        for (int match = 0; match < 50; ++match) {
            Match m;
            QVERIFY(m.begin(Match::Kind::Human));
            m.Shuffle_daiya();
            m.Shuffle_spade();
            m.first_screen();
            m.nextRound();
            m.letPlayerPlay();
            while (m.N < rules::kCards) {
                const QList<int> cards = playable(m);
                QVERIFY(!cards.isEmpty());
                int club = cards[std::rand() % cards.size()];
                // Never the tied card in the last round, which has no replay.
                if (cards.size() == 1 && club == m.computerCard())
                    break;
                nextTurn(m, play(m, club));
            }
            if (m.N < rules::kCards)
                continue;
            QCOMPARE(m.CPU_score + m.User_score, rules::kAllPrizePoints);
            QCOMPARE(m.open_count, rules::kCards);
            QVERIFY(isPermutation(m.buf_daiya));
            QVERIFY(isPermutation(m.buf_spade));
        }
    }

    void phasesOfAMatch()
    {
        Match m;
        QCOMPARE(m.phase(), Phase::Idle);
        QVERIFY(!m.running());
        QVERIFY(m.begin(Match::Kind::Human));
        QCOMPARE(m.phase(), Phase::Starting);
        QCOMPARE(m.kind(), Match::Kind::Human);
        // One match at a time.
        QVERIFY(!m.begin(Match::Kind::Watching));
        QVERIFY(!m.begin(Match::Kind::Human));
        m.letPlayerPlay();
        QCOMPARE(m.phase(), Phase::WaitingForCard);
        m.showResult();
        m.endRounds();
        QCOMPARE(m.phase(), Phase::Resetting);
        QVERIFY(m.running());
        m.finish();
        QCOMPARE(m.phase(), Phase::Idle);
        QCOMPARE(m.kind(), Match::Kind::None);

        QVERIFY(m.begin(Match::Kind::Watching));
        QCOMPARE(m.phase(), Phase::Watching);
        m.nextRound();
        QCOMPARE(m.autoSpade(), 2);
        QCOMPARE(m.autoClub(), 13);
        const Match::Judgement j = m.judgeRoundAuto(m.autoSpade(), m.autoClub());
        QCOMPARE(j.verdict, Verdict::PlayerWins);
        QCOMPARE(j.prize, 1);
        QCOMPARE(m.User_score, 11);
        // The watching mode leaves N alone and stays in its own phase.
        QCOMPARE(m.N, 0);
        QCOMPARE(m.phase(), Phase::Watching);
    }

    void watchingHandsWin53To48()
    {
        Match m;
        m.begin(Match::Kind::Watching);
        for (int round = 1; round <= rules::kCards; ++round) {
            m.nextRound();
            QVERIFY(rules::judge(m.autoSpade(), m.autoClub()) != Verdict::Tie);
            m.judgeRoundAuto(m.autoSpade(), m.autoClub());
        }
        QCOMPARE(m.User_score, 53);
        QCOMPARE(m.CPU_score, 48);
        m.nextRound();
        QCOMPARE(m.autoSpade(), 0);
        QCOMPARE(m.autoClub(), 0);
    }

    void firstScreenKeepsTheOrders()
    {
        Match m = dealt({3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
        play(m, 5);
        m.CPU_score = 30;
        m.tie_count = 2;
        m.buf_spade_save[6] = 7;
        m.first_screen();
        QCOMPARE(m.N, 0);
        QCOMPARE(m.Round_count, 0);
        QCOMPARE(m.open_count, 0);
        QCOMPARE(m.open_button, (std::array<int, 14>{}));
        QCOMPARE(m.button_count, (std::array<int, 14>{}));
        QCOMPARE(m.buf_spade_save, (std::array<int, 14>{}));
        QCOMPARE(m.CPU_score + m.User_score + m.tie_count + m.tie_flag, 0);
        QCOMPARE(m.Score_text, QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(m.buf_daiya, (Order{3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        QCOMPARE(m.buf_spade, (Order{13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    }

    void scoringOnlyTakesCards()
    {
        Match m;
        m.Round_count = 3;
        m.Add_Score_Player(0);
        m.Add_Score_CPU(14);
        QCOMPARE(m.CPU_score + m.User_score, 0);
        QCOMPARE(m.Score_text, QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        m.Add_Score_CPU(1);
        QCOMPARE(m.CPU_score, 11);
        QCOMPARE(m.Score_text, QStringLiteral("Round:3,Score:CPU=11,User=0,tie=0"));
        m.Add_Score_Player(13);
        QCOMPARE(m.User_score, 13);
    }

    void consecutiveDeals()
    {
        Match m;
        std::srand(20261207);
        for (int deal = 0; deal < 400; ++deal) {
            const Order prizesBefore = m.buf_daiya;
            const Order spadesBefore = m.buf_spade;
            m.Shuffle_daiya();
            m.Shuffle_spade();
            QVERIFY(std::all_of(m.rand_daiya.begin(), m.rand_daiya.end(), [](int p) { return p >= 0 && p < 13; }));
            QVERIFY(std::all_of(m.rand_spade.begin(), m.rand_spade.end(), [](int p) { return p >= 0 && p < 13; }));
            // Each order is the last one with the drawn pairs exchanged; the
            // computer's first card also changes place with the third
            // position drawn for the prizes, not for its own cards.
            Order prizes = prizesBefore;
            rules::shufflePass(prizes, m.rand_daiya);
            QCOMPARE(m.buf_daiya, prizes);
            Order spades = spadesBefore;
            rules::shufflePass(spades, m.rand_spade);
            std::swap(spades[0], spades[m.rand_daiya[2]]);
            QCOMPARE(m.buf_spade, spades);
        }
    }

    void dealsReachEveryPosition()
    {
        std::array<bool, 13> prizeMoved{}, spadeMoved{};
        QSet<int> lastPrizes;
        for (unsigned seed = 1; seed <= 300; ++seed) {
            std::srand(seed);
            Match m;
            m.Shuffle_daiya();
            m.Shuffle_spade();
            for (int p = 0; p < rules::kCards; ++p) {
                prizeMoved[p] = prizeMoved[p] || m.buf_daiya[p] != p + 1;
                spadeMoved[p] = spadeMoved[p] || m.buf_spade[p] != p + 1;
            }
            lastPrizes << m.buf_daiya[12];
            QVERIFY(isPermutation(m.buf_daiya));
            QVERIFY(isPermutation(m.buf_spade));
        }
        for (int p = 0; p < rules::kCards; ++p) {
            QVERIFY2(prizeMoved[p], qPrintable(QStringLiteral("prize position %1 never moved").arg(p + 1)));
            QVERIFY2(spadeMoved[p], qPrintable(QStringLiteral("computer's position %1 never moved").arg(p + 1)));
        }
        QVERIFY2(lastPrizes.size() > 5, "the last prize is nearly always the same card");
    }
};

QTEST_GUILESS_MAIN(ModelTest)
#include "tst_model.moc"
