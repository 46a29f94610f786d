// SPDX-License-Identifier: MIT
// Playing without the mouse and without sight of the screen: the keys that
// play the cards, and what the table tells assistive technology.
#include "fixture.h"

#include <QAccessible>
#include <QSet>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace fixture;

namespace {

// The name a screen reader is given for a widget.
QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

// Every object that told assistive technology its name changed or that it
// appeared, in order.
QStringList g_events;

void recordEvent(QAccessibleEvent* event)
{
    if (!event->object())
        return;
    if (event->type() == QAccessible::NameChanged)
        g_events << event->object()->objectName() + QStringLiteral(" name");
    else if (event->type() == QAccessible::ObjectShow)
        g_events << event->object()->objectName() + QStringLiteral(" shown");
}

} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(recordEvent);
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        QVERIFY(QAccessible::isActive());
    }

    void init()
    {
        g_events.clear();
    }

    void keysPlayExactlyTheEnabledCards()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Keys do nothing while no match runs.
        QTest::keyClick(&w, Qt::Key_5);
        QCOMPARE(t.match().open_count, 0);

        t.action("Human_vs_Computer_Action")->trigger();
        t.match().buf_spade = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        // ... nor before the first prize is up.
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(t.match().open_count, 0);

        QVERIFY(t.waitForPlay());
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(t.match().open_count, 1);
        QCOMPARE(t.match().open_button[0], 13);
        QCOMPARE(t.message(), QStringLiteral("Card Open"));
        // A key during the reveal does nothing.
        QTest::keyClick(&w, Qt::Key_5);
        QCOMPARE(t.match().open_count, 1);
        QCOMPARE(t.match().open_button[1], 0);

        QVERIFY(t.waitForPlay());
        // The king is played already: its key does nothing.
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(t.match().open_count, 1);
        QCOMPARE(t.enabledCards().size(), 12);
        QTest::keyClick(&w, Qt::Key_0);
        QCOMPARE(t.match().open_button[1], 10);

        QVERIFY(t.waitForPlay());
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(t.match().open_button[2], 1);
        QVERIFY(t.waitForPlay());
        QTest::keyClick(&w, Qt::Key_1);
        QCOMPARE(t.match().open_count, 3);
        QTest::keyClick(&w, Qt::Key_7, Qt::KeypadModifier);
        QCOMPARE(t.match().open_button[3], 7);
        QVERIFY(t.waitForPlay());
        for (Qt::Key key : {Qt::Key_J, Qt::Key_Q}) {
            QTest::keyClick(&w, key);
            QVERIFY(t.waitForPlay());
        }
        QCOMPARE(QList<int>(t.match().open_button.begin(), t.match().open_button.begin() + t.match().open_count), (QList<int>{13, 10, 1, 7, 11, 12}));
    }

    void tableTellsAScreenReaderWhatHappens()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        for (int k = 1; k <= 13; ++k)
            QCOMPARE(accessibleName(t.button(k)), QStringLiteral("Play %1 of clubs").arg(k));
        QCOMPARE(accessibleName(t.label("Score_Label")), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(accessibleName(t.label("User_Label_card", 4)), QStringLiteral("4 of clubs"));
        QCOMPARE(t.label("User_Label_card", 4)->accessibleDescription(), QStringLiteral("your hand, place 4"));

        t.action("Human_vs_Computer_Action")->trigger();
        t.match().buf_daiya = {6, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13};
        t.match().buf_spade = {9, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13};
        QCOMPARE(accessibleName(t.label("Message_Label")), QStringLiteral("Game Start"));
        QVERIFY(t.waitForPlay());
        QCOMPARE(accessibleName(t.label("Daiya_Label_open")), QStringLiteral("6 of diamonds"));
        QCOMPARE(accessibleName(t.label("Daiya_Label_back")), QStringLiteral("card back"));

        g_events.clear();
        QTest::mouseClick(t.button(4), Qt::LeftButton);
        QCOMPARE(accessibleName(t.label("User_Label_open")), QStringLiteral("4 of clubs"));
        QCOMPARE(accessibleName(t.label("CPU_Label_open")), QStringLiteral("card back"));
        QCOMPARE(accessibleName(t.label("User_Label_card", 4)), QString());
        QCOMPARE(accessibleName(t.label("CPU_Label_card", 1)), QString());

        QVERIFY2(t.runUntil([&] { return t.message() == "You Lose"; }), qPrintable(t.where()));
        QCOMPARE(accessibleName(t.label("CPU_Label_open")), QStringLiteral("9 of spades"));
        QCOMPARE(accessibleName(t.label("Daiya_Label_open")), QString());
        QCOMPARE(accessibleName(t.label("CPU_Get_Label_card", 6)), QStringLiteral("6 of diamonds"));
        QCOMPARE(accessibleName(t.label("Score_Label")), QStringLiteral("Round:1,Score:CPU=6,User=0,tie=0"));
        QVERIFY(t.waitForPlay());
        QCOMPARE(accessibleName(t.label("Daiya_Label_open")), QStringLiteral("1 of diamonds"));

        // Each change was told as it happened, in the order of the round.
        QStringList messages;
        for (const QString& e : g_events) {
            if (e.startsWith("Message_Label") || e.startsWith("Score_Label"))
                messages << e;
        }
        QCOMPARE(messages, (QStringList{"Message_Label name",     // Card Open
                                        "Message_Label name",     // cleared at the reveal
                                        "Message_Label name",     // You Lose
                                        "Score_Label name",       // the computer's points
                                        "Message_Label name",     // cleared
                                        "Message_Label name",     // Round2
                                        "Score_Label name",       // the round's score line
                                        "Message_Label name"}));  // cleared, prize up
        QVERIFY(g_events.contains("CPU_Label_open name"));
        QVERIFY(g_events.contains("CPU_Get_Label_card6 name"));

        // The result lines announce themselves when they come up.
        g_events.clear();
        t.match().CPU_score = 60;
        t.match().User_score = 41;
        w.Open_show_result_timer();
        QVERIFY(g_events.contains("Result_Label1 shown"));
        QVERIFY(g_events.contains("Result_Label1 name"));
        QVERIFY(g_events.contains("Result_Label2 shown"));
        QCOMPARE(accessibleName(t.label("Result_Label1")), QStringLiteral("1:CPU=60"));
        QCOMPARE(accessibleName(t.label("Result_Label2")), QStringLiteral("2:User=41"));
    }
};

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
