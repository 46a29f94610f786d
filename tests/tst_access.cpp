// SPDX-License-Identifier: MIT
// Playing without the mouse and without sight of the screen: the keys that
// play the cards, and what the table tells assistive technology.
#include "app/time_scale.h"
#include "table_helpers.h"

#include <QAccessible>
#include <QSet>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace table;

namespace {

constexpr int kWait = 10000;

bool waitForPlay(const Vell& w)
{
    return QTest::qWaitFor([&] { return !enabledCards(w).isEmpty(); }, kWait);
}

QString message(const Vell& w)
{
    return label(w, "Message_Label")->text();
}

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
        resetMatchState();
        timing::setScale(0.01);
        g_events.clear();
    }

    void keysPlayExactlyTheEnabledCards()
    {
        Vell w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Keys do nothing while no match runs.
        QTest::keyClick(&w, Qt::Key_5);
        QCOMPARE(open_count, 0);

        action(w, "Human_vs_Computer_Action")->trigger();
        buf_spade = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        // ... nor before the first prize is up.
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(open_count, 0);

        QVERIFY(waitForPlay(w));
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(open_count, 1);
        QCOMPARE(open_button[0], 13);
        QCOMPARE(message(w), QStringLiteral("Card Open"));
        // A key during the reveal does nothing.
        QTest::keyClick(&w, Qt::Key_5);
        QCOMPARE(open_count, 1);
        QCOMPARE(open_button[1], 0);

        QVERIFY(waitForPlay(w));
        // The king is played already: its key does nothing.
        QTest::keyClick(&w, Qt::Key_K);
        QCOMPARE(open_count, 1);
        QCOMPARE(enabledCards(w).size(), 12);
        QTest::keyClick(&w, Qt::Key_0);
        QCOMPARE(open_button[1], 10);

        QVERIFY(waitForPlay(w));
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(open_button[2], 1);
        QVERIFY(waitForPlay(w));
        QTest::keyClick(&w, Qt::Key_1);
        QCOMPARE(open_count, 3);
        QTest::keyClick(&w, Qt::Key_7, Qt::KeypadModifier);
        QCOMPARE(open_button[3], 7);
        QVERIFY(waitForPlay(w));
        for (Qt::Key key : {Qt::Key_J, Qt::Key_Q}) {
            QTest::keyClick(&w, key);
            QVERIFY(waitForPlay(w));
        }
        QCOMPARE(QList<int>(open_button.begin(), open_button.begin() + open_count), (QList<int>{13, 10, 1, 7, 11, 12}));
    }

    void tableTellsAScreenReaderWhatHappens()
    {
        Vell w;
        w.show();
        for (int k = 1; k <= 13; ++k)
            QCOMPARE(accessibleName(button(w, k)), QStringLiteral("Play %1 of clubs").arg(k));
        QCOMPARE(accessibleName(label(w, "Score_Label")), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(accessibleName(label(w, "User_Label_card", 4)), QStringLiteral("4 of clubs"));
        QCOMPARE(label(w, "User_Label_card", 4)->accessibleDescription(), QStringLiteral("your hand, place 4"));

        action(w, "Human_vs_Computer_Action")->trigger();
        buf_daiya = {6, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13};
        buf_spade = {9, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13};
        QCOMPARE(accessibleName(label(w, "Message_Label")), QStringLiteral("Game Start"));
        QVERIFY(waitForPlay(w));
        QCOMPARE(accessibleName(label(w, "Daiya_Label_open")), QStringLiteral("6 of diamonds"));
        QCOMPARE(accessibleName(label(w, "Daiya_Label_back")), QStringLiteral("card back"));

        g_events.clear();
        QTest::mouseClick(button(w, 4), Qt::LeftButton);
        QCOMPARE(accessibleName(label(w, "User_Label_open")), QStringLiteral("4 of clubs"));
        QCOMPARE(accessibleName(label(w, "CPU_Label_open")), QStringLiteral("card back"));
        QCOMPARE(accessibleName(label(w, "User_Label_card", 4)), QString());
        QCOMPARE(accessibleName(label(w, "CPU_Label_card", 1)), QString());

        QVERIFY(QTest::qWaitFor([&] { return message(w) == "You Lose"; }, kWait));
        QCOMPARE(accessibleName(label(w, "CPU_Label_open")), QStringLiteral("9 of spades"));
        QCOMPARE(accessibleName(label(w, "Daiya_Label_open")), QString());
        QCOMPARE(accessibleName(label(w, "CPU_Get_Label_card", 6)), QStringLiteral("6 of diamonds"));
        QCOMPARE(accessibleName(label(w, "Score_Label")), QStringLiteral("Round:1,Score:CPU=6,User=0,tie=0"));
        QVERIFY(waitForPlay(w));
        QCOMPARE(accessibleName(label(w, "Daiya_Label_open")), QStringLiteral("1 of diamonds"));

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
        w.CPU_score = 60;
        w.User_score = 41;
        w.Open_show_result_timer();
        QVERIFY(g_events.contains("Result_Label1 shown"));
        QVERIFY(g_events.contains("Result_Label1 name"));
        QVERIFY(g_events.contains("Result_Label2 shown"));
        QCOMPARE(accessibleName(label(w, "Result_Label1")), QStringLiteral("1:CPU=60"));
        QCOMPARE(accessibleName(label(w, "Result_Label2")), QStringLiteral("2:User=41"));
    }
};

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
