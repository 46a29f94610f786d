// SPDX-License-Identifier: MIT
// The match without a window or a clock: the deal, the rounds it decides,
// ties, and the totals of whole matches.
#include "core/hands.h"
#include "core_fixture.h"

#include <QSet>

using namespace fixture;
using rules::Order;

Q_DECLARE_METATYPE(Order)

namespace {

// A match against the computer dealt from draws, the clubs played in turn
// through its own operations as the runner calls them; stops at the first
// one refused.
struct Played {
    explicit Played(const QList<int>& draws, const QList<int>& clubs)
        : random(draws)
    {
        m.begin(Match::Kind::Human);
        for (int club : clubs) {
            if (m.phase() == Match::Phase::Tie ? !m.replayTiedRound() : !m.startRound())
                return;
            m.openPrize();
            if (!m.play(m.buf_spade()[m.N()], club) || !m.judge())
                return;
            ++plays;
        }
    }
    Draws random;
    Match m{random};
    int plays = 0;
};

} // namespace

class ModelTest : public QObject
{
    Q_OBJECT

private slots:
    // Prizes and the computer's cards both in order: in round r the prize
    // and the computer's card are both r.
    void rounds_data()
    {
        QTest::addColumn<QList<int>>("clubs");
        QTest::addColumn<QString>("state");
        QTest::newRow("the ace prize won: 11 points") << QList<int>{2} << "N 1, clubs 2, tie_flag 0, round 1, CPU 0, User 11, tie 0";
        QTest::newRow("lost") << QList<int>{2, 1} << "N 2, clubs 2 1, tie_flag 0, round 2, CPU 2, User 11, tie 0";
        QTest::newRow("the last round tied") << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 13}
                                      << "N 12, clubs 2 3 4 5 6 7 8 9 10 11 12 1 13, tie_flag 1, round 13, CPU 12, User 76, tie 1";
        QTest::newRow("tied: nothing scored, the card struck when replayed")
            << QList<int>{1} << "N 0, clubs 1, tie_flag 1, round 1, CPU 0, User 0, tie 1";
        QTest::newRow("tied twice, then decided in the tied card's place")
            << QList<int>{1, 1, 5} << "N 1, clubs 5, tie_flag 0, round 1, CPU 0, User 11, tie 2";
        QTest::newRow("thirteen decided: 101 in all")
            << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1}
            << "N 13, clubs 2 3 4 5 6 7 8 9 10 11 12 13 1, tie_flag 0, round 13, CPU 13, User 88, tie 0";
    }

    void rounds()
    {
        QFETCH(QList<int>, clubs);
        QFETCH(QString, state);
        Played p(kInOrder, clubs);
        QCOMPARE(p.plays, clubs.size());
        const Match& m = p.m;
        QStringList played;
        for (int i = 0; i < m.open_count(); ++i)
            played << QString::number(m.open_button()[i]);
        const Match::Score score = m.score();
        QCOMPARE(QStringLiteral("N %1, clubs %2, tie_flag %3, round %4, CPU %5, User %6, tie %7")
                     .arg(m.N())
                     .arg(played.join(QLatin1Char(' ')))
                     .arg(m.tie_flag())
                     .arg(score.round)
                     .arg(score.cpu)
                     .arg(score.user)
                     .arg(score.ties),
                 state);
    }

    void aTiedClubMayBePlayedAgainAndAPlayedOneNot()
    {
        // The computer plays 2 first.
        Played p(kDraws, {6, 13});
        Match& m = p.m;
        QCOMPARE(m.phase(), Match::Phase::Tie);
        QVERIFY(m.replayTiedRound());
        m.openPrize();
        const rules::Cards playable = m.held(Match::Side::Clubs);
        QVERIFY(playable[13 - 1]);
        QVERIFY(!playable[6 - 1]);
        QCOMPARE(std::count(playable.begin(), playable.end(), true), 12);
        QVERIFY(!m.play(13, 6));
        QVERIFY(m.play(13, 13));
        QCOMPARE(m.open_count(), 2);
        QVERIFY(isPermutation(m.buf_spade()));
    }

    // Each side's books: a card its side does not hold is refused, whoever
    // chooses it, and changes nothing; a tie gives both cards back, whatever
    // order the hands play in. Prizes and spades are dealt 1..13; plays are
    // spade-club pairs, each a round or a tied round again.
    void books_data()
    {
        QTest::addColumn<QList<int>>("plays");
        QTest::addColumn<int>("spade");
        QTest::addColumn<int>("club");
        QTest::addColumn<bool>("taken");
        QTest::newRow("cards in hand") << QList<int>{} << 4 << 9 << true;
        QTest::newRow("no such spade") << QList<int>{} << 14 << 9 << false;
        QTest::newRow("no such club") << QList<int>{} << 4 << 0 << false;
        QTest::newRow("a spade played before") << QList<int>{2, 6} << 2 << 9 << false;
        QTest::newRow("a club played before") << QList<int>{2, 6} << 3 << 6 << false;
        QTest::newRow("tied cards back in hand") << QList<int>{5, 5} << 5 << 5 << true;
        QTest::newRow("a tied spade held while another is played")
            << QList<int>{5, 5, 7, 9} << 5 << 1 << true;
        QTest::newRow("a tied club held while another is played") << QList<int>{5, 5, 1, 9} << 8 << 5 << true;
        QTest::newRow("the card that decided a tied round") << QList<int>{5, 5, 7, 9} << 7 << 1 << false;
    }

    void books()
    {
        QFETCH(QList<int>, plays);
        QFETCH(int, spade);
        QFETCH(int, club);
        QFETCH(bool, taken);
        Draws random(kInOrder);
        Match m(random);
        QVERIFY(m.begin(Match::Kind::Human));
        for (int i = 0; i <= plays.size(); i += 2) {
            QVERIFY(m.phase() == Match::Phase::Tie ? m.replayTiedRound() : m.startRound());
            QVERIFY(m.openPrize() != 0);
            if (i == plays.size())
                break;
            QVERIFY(m.play(plays[i], plays[i + 1]));
            QVERIFY(m.judge());
        }
        const QString before = matchState(m);
        QCOMPARE(m.play(spade, club), taken);
        if (!taken)
            QCOMPARE(matchState(m), before);
        else
            QVERIFY(!m.held(Match::Side::Spades)[spade - 1] && !m.held(Match::Side::Clubs)[club - 1]);
    }

    // A hand chooses from what a player at the table sees: its own cards,
    // the other side's, the prize, the prizes left as a set, the score. The
    // computer plays the first card of its order it still holds, from a row
    // emptied from the left.
    void handsChooseFromWhatTheySee()
    {
        Draws random(kDraws);
        Match m(random);
        DealtOrderHand computer(kSpades);
        QVERIFY(m.begin(Match::Kind::Human));
        QVERIFY(m.startRound());
        QCOMPARE(m.openPrize(), 10);
        Match::Sight seen = m.sight(Match::Side::Spades);
        QCOMPARE(seen.round, 1);
        QCOMPARE(seen.prize, 10);
        QCOMPARE(std::count(seen.prizesLeft.begin(), seen.prizesLeft.end(), true), 13);
        QCOMPARE(computer.choose(seen), 2);
        QCOMPARE(computer.place(seen, 2), 1);
        // A tie: the 2 comes again first, from the same place.
        QVERIFY(m.play(2, 2) && m.judge() && m.replayTiedRound() && m.openPrize());
        seen = m.sight(Match::Side::Spades);
        QCOMPARE(computer.choose(seen), 2);
        QCOMPARE(computer.place(seen, 2), 1);
        QVERIFY(m.play(2, 6) && m.judge() && m.startRound() && m.openPrize());
        seen = m.sight(Match::Side::Clubs);
        QCOMPARE(seen.prize, kPrizes[1]);
        QVERIFY(!seen.own[6 - 1] && seen.own[2 - 1]);
        QVERIFY(!seen.other[2 - 1] && seen.other[13 - 1]);
        QVERIFY(!seen.prizesLeft[10 - 1] && seen.prizesLeft[kPrizes[1] - 1]);
        QCOMPARE(seen.ownScore, 10);
        QCOMPARE(seen.otherScore, 0);
        QCOMPARE(computer.choose(m.sight(Match::Side::Spades)), kSpades[1]);
        QCOMPARE(computer.place(m.sight(Match::Side::Spades), kSpades[1]), 2);
        QCOMPARE(PlayerHand().choose(seen), std::nullopt);
    }

    // Any clubs, any deal: every prize goes to one side, 101 points in all,
    // unless a tie in the last round leaves its prize to nobody.
    void wholeMatchesAddUpTo101()
    {
        std::srand(7);
        for (unsigned seed = 1; seed <= 50; ++seed) {
            CRandom random(seed);
            Match m(random);
            QVERIFY(m.begin(Match::Kind::Human));
            while (m.startRound() || m.replayTiedRound()) {
                m.openPrize();
                const QList<int> clubs = heldCards(m, Match::Side::Clubs);
                QVERIFY(m.play(m.buf_spade()[m.N()], clubs[std::rand() % clubs.size()]));
                QVERIFY(m.judge());
                if (m.tieCannotBeReplayed())
                    QVERIFY(m.leaveLastPrizeUnawarded());
            }
            QVERIFY(m.roundsOver());
            QCOMPARE(m.open_count(), rules::kCards);
            const bool unawarded = m.playedCard() == m.spadePlayed();
            QCOMPARE(m.CPU_score() + m.User_score(),
                     rules::kAllPrizePoints - (unawarded ? rules::prizePoints(m.buf_daiya()[12]) : 0));
            QVERIFY(isPermutation(m.buf_daiya()));
            QVERIFY(isPermutation(m.buf_spade()));
        }
    }

    // The draws, the orders they give, and the next deal rearranging what
    // the last one left: the computer's first card also changes place with
    // the third position drawn for the prizes, not for its own cards.
    void deals_data()
    {
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<Order>("prizes");
        QTest::addColumn<Order>("spades");
        QTest::newRow("the tests' deal") << kDraws << kPrizes << kSpades;
        QTest::newRow("six equal positions exchange nothing")
            << QList<int>{4, 4, 4, 4, 4, 4, 9, 9, 9, 9, 9, 9} << Order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}
            << Order{5, 2, 3, 4, 1, 6, 7, 8, 9, 10, 11, 12, 13};
        QTest::newRow("3 five times against 7: exchanged once")
            << QList<int>{3, 3, 3, 3, 3, 7, 3, 3, 3, 3, 3, 7} << Order{1, 2, 3, 8, 5, 6, 7, 4, 9, 10, 11, 12, 13}
            << Order{8, 2, 3, 1, 5, 6, 7, 4, 9, 10, 11, 12, 13};
        QTest::newRow("a second deal from the first")
            << kDraws + QList<int>{0, 12, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0} << Order{5, 2, 7, 4, 13, 6, 3, 8, 9, 1, 11, 12, 10}
            << Order{2, 3, 13, 12, 5, 8, 7, 6, 9, 10, 11, 4, 1};
    }

    void deals()
    {
        QFETCH(QList<int>, draws);
        QFETCH(Order, prizes);
        QFETCH(Order, spades);
        Draws random(draws);
        Match m(random);
        for (int deal = 0; deal < draws.size() / 12; ++deal) {
            QVERIFY(m.begin(Match::Kind::Human));
            m.abandon();
        }
        QCOMPARE(m.buf_daiya(), prizes);
        QCOMPARE(m.buf_spade(), spades);
        // The watching mode deals nothing.
        QVERIFY(m.begin(Match::Kind::Watching));
        QCOMPARE(m.buf_daiya(), prizes);
    }

    void dealsReachEveryPosition()
    {
        std::array<bool, 13> prizeMoved{}, spadeMoved{};
        QSet<int> lastPrizes;
        for (unsigned seed = 1; seed <= 300; ++seed) {
            CRandom random(seed);
            Match m(random);
            m.begin(Match::Kind::Human);
            for (int p = 0; p < rules::kCards; ++p) {
                prizeMoved[p] = prizeMoved[p] || m.buf_daiya()[p] != p + 1;
                spadeMoved[p] = spadeMoved[p] || m.buf_spade()[p] != p + 1;
            }
            lastPrizes << m.buf_daiya()[12];
            QVERIFY(isPermutation(m.buf_daiya()));
            QVERIFY(isPermutation(m.buf_spade()));
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
