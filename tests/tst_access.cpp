// SPDX-License-Identifier: MIT
// Playing without the mouse and without sight of the screen: the keys that
// play the cards, where the keyboard focus is, and what a screen reader finds
// on the table through Qt's accessibility interface. What it is told of a
// match, event by event, is checked where whole matches are walked.
#include "accessibility.h"
#include "fixture.h"

#include <QStatusBar>

using namespace fixture;

namespace {

// The name a screen reader is given for a widget.
QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

// The focus is on a card that can be played, or on nothing that cannot.
QString focusProblem(const Table& t)
{
    QWidget* focus = QApplication::focusWidget();
    const bool mayPlay = t.phase() == Match::Phase::WaitingForCard;
    if (mayPlay) {
        const QList<int> cards = t.enabledCards();
        if (cards.isEmpty() || focus != t.button(cards.first()))
            return QStringLiteral("%1: the focus is not on the first card to play").arg(t.where());
        return {};
    }
    if (focus && !focus->isEnabled())
        return QStringLiteral("%1: the focus rests on %2, which is disabled").arg(t.where(), focus->objectName());
    return {};
}

} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(switchOnAccessibility()); }

    void keysPlayExactlyTheEnabledCards()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Keys do nothing while no match runs.
        QTest::keyClick(&w, Qt::Key_5);
        QCOMPARE(t.match().open_count(), 0);

        t.startMatch();
        // ... nor before the first prize is up.
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(t.match().open_count(), 0);

        QVERIFY(t.waitForPlay());
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(t.match().open_count(), 1);
        QCOMPARE(t.match().open_button()[0], 13);
        QCOMPARE(t.message(), QStringLiteral("Card Open"));
        // A key during the reveal does nothing.
        QTest::keyClick(&w, Qt::Key_5);
        QCOMPARE(t.match().open_count(), 1);
        QCOMPARE(t.match().open_button()[1], 0);

        QVERIFY(t.waitForPlay());
        // The king is played already: its key does nothing.
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(t.match().open_count(), 1);
        QCOMPARE(t.enabledCards().size(), 12);
        QTest::keyClick(&w, Qt::Key_0);
        QCOMPARE(t.match().open_button()[1], 10);

        QVERIFY(t.waitForPlay());
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(t.match().open_button()[2], 1);
        QVERIFY(t.waitForPlay());
        QTest::keyClick(&w, Qt::Key_1);
        QCOMPARE(t.match().open_count(), 3);
        QTest::keyClick(&w, Qt::Key_7, Qt::KeypadModifier);
        QCOMPARE(t.match().open_button()[3], 7);
        QVERIFY(t.waitForPlay());
        for (Qt::Key key : {Qt::Key_J, Qt::Key_Q}) {
            QTest::keyClick(&w, key);
            QVERIFY(t.waitForPlay());
        }
        QCOMPARE(QList<int>(t.match().open_button().begin(), t.match().open_button().begin() + t.match().open_count()),
                 (QList<int>{13, 10, 1, 7, 11, 12}));
    }

    // Space on the focused card plays it, and the focus is back on the
    // first card to play at every turn: a whole match by Tab and Space.
    void focusFollowsTheGame()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        t.afterEachMoment = [&] {
            if (const QString problem = focusProblem(t); !problem.isEmpty())
                QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
        };
        t.startMatch();
        QList<int> played;
        while (t.match().running() && !QTest::currentTestFailed()) {
            QVERIFY2(t.runUntil([&] { return !t.match().running() || t.phase() == Match::Phase::WaitingForCard; }),
                     qPrintable(t.where()));
            if (!t.match().running())
                break;
            QVERIFY2(focusProblem(t).isEmpty(), qPrintable(focusProblem(t)));
            // The first card, or the next one by Tab when the first would tie.
            const QList<int> cards = t.enabledCards();
            int card = cards.first();
            // Its focus shows before any key is pressed, as after Tab.
            if (played.isEmpty()) {
                const QImage focused = t.button(card)->grab().toImage();
                t.button(card)->clearFocus();
                QVERIFY(t.button(card)->grab().toImage() != focused);
                t.button(card)->setFocus();
            }
            if (card == t.computerCard() && cards.size() > 1) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                card = cards[1];
                QCOMPARE(QApplication::focusWidget(), t.button(card));
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QCOMPARE(t.match().playedCard(), card);
            played << card;
            QVERIFY2(focusProblem(t).isEmpty(), qPrintable(focusProblem(t)));
        }
        QCOMPARE(t.match().phase(), Match::Phase::Idle);
        QVERIFY(played.size() >= 13);
    }

    void tableTellsAScreenReaderWhereThingsAre()
    {
        Table t;
        t.w->show();
        for (int k = 1; k <= 13; ++k)
            QCOMPARE(accessibleName(t.button(k)), QStringLiteral("Play ") + club(k));
        QCOMPARE(accessibleName(t.button(1)), QStringLiteral("Play ace of clubs"));
        QCOMPARE(accessibleName(t.button(13)), QStringLiteral("Play king of clubs"));
        QCOMPARE(accessibleName(t.label("Score_Label")), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(accessibleName(t.label("User_Label_card", 4)), QStringLiteral("4 of clubs"));
        QCOMPARE(t.label("User_Label_card", 4)->accessibleDescription(), QStringLiteral("your hand, place 4"));

        t.startMatch();
        QVERIFY(t.waitForPlay());
        QCOMPARE(accessibleName(t.label("Daiya_Label_open")), QStringLiteral("10 of diamonds"));
        t.click(1);
        QCOMPARE(accessibleName(t.label("User_Label_open")), QStringLiteral("ace of clubs"));
        QCOMPARE(accessibleName(t.label("CPU_Label_open")), QStringLiteral("card back"));
        QVERIFY(t.runUntil([&] { return t.message() == "You Lose"; }));
        QCOMPARE(accessibleName(t.label("CPU_Label_open")), QStringLiteral("2 of spades"));
        QCOMPARE(accessibleName(t.label("CPU_Get_Label_card", 10)), QStringLiteral("10 of diamonds"));
        QVERIFY(t.waitForPlay());
        QCOMPARE(accessibleName(t.label("Daiya_Label_open")), QStringLiteral("2 of diamonds"));

        // The announcer is a notification in a status bar that nobody sees.
        auto* announcer = t.w->findChild<QLabel*>(QStringLiteral("announcer"));
        QVERIFY(announcer);
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
        QVERIFY(qobject_cast<QStatusBar*>(announcer->parentWidget()));
        QVERIFY(!announcer->isVisible());
        QVERIFY(t.w->statusBar()->isHidden() || t.w->statusBar() != announcer->parentWidget());
    }
};

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
