// SPDX-License-Identifier: MIT
// What surrounds the table: its colours, the greeting and the farewell, the
// rules window and the settings dialog as the menus open them, and Japanese.
#include "app/translation.h"
#include "core/contrast.h"
#include "core/settings.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "fixture.h"

#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <QTranslator>
#include <QMenuBar>

using namespace fixture;


namespace {

// A point of the window that no widget covers.
QColor background(Vell& w)
{
    return w.grab().toImage().pixelColor(3, w.height() / 2);
}

// The text lines stand out from the table as the window shows them: each
// line's most distinct pixel, the core of its letters, against the table.
void verifyTextsReadable(Vell& w, const QColor& table)
{
    const QImage shot = w.grab().toImage();
    const qreal scale = shot.devicePixelRatio();
    for (const char* name : {"Score_Label", "Message_Label", "Result_Label1", "Result_Label2"}) {
        const QLabel* label = child<QLabel>(w, QLatin1String(name));
        const QRect area(label->mapTo(&w, QPoint(0, 0)) * scale, label->size() * scale);
        double best = 1;
        for (int i = 0; i < area.width() * area.height(); ++i) {
            const QPoint at = area.topLeft() + QPoint(i % area.width(), i / area.width());
            best = std::max(best, contrast::ratio(shot.pixel(at), table.rgb()));
        }
        QVERIFY2(best >= contrast::kReadable, qPrintable(QStringLiteral("%1 on %2: %3").arg(name, table.name()).arg(best)));
    }
}

// How many windows of one kind the program has.
template <class Window>
int windowsOfKind()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return int(std::count_if(windows.cbegin(), windows.cend(),
                             [](const QWidget* top) { return qobject_cast<const Window*>(top) != nullptr; }));
}

QList<QAction*> colourActions(const Table& t)
{
    return {t.action("Back_color_green_Action"),  t.action("Back_color_white_Action"),
            t.action("Back_color_red_Action"),    t.action("Back_color_blue_Action"),
            t.action("Back_color_cyan_Action"),   t.action("Back_color_magenta_Action"),
            t.action("Back_color_yellow_Action"), t.action("Back_color_gray_Action"),
            t.action("Back_color_lightGray_Action")};
}

QList<int> checkedCodes(const Table& t)
{
    QList<int> codes;
    const QList<QAction*> actions = colourActions(t);
    for (int code = 0; code < actions.size(); ++code) {
        if (actions[code]->isChecked())
            codes << code;
    }
    return codes;
}

} // namespace

class CompanionsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        qputenv("VELL_PLAYER_NAME", QByteArray());
    }

    void colours_data()
    {
        QTest::addColumn<QPalette>("desktop");
        QTest::newRow("light desktop") << QApplication::palette();
        // Qt makes the text of a palette this dark white.
        QTest::newRow("dark desktop") << QPalette(QColor(0x35, 0x35, 0x35));
    }

    // Every table colour, its texts readable on it whatever the desktop's
    // colours, while the buttons keep the desktop's.
    void colours()
    {
        QFETCH(QPalette, desktop);
        QApplication::setPalette(desktop);
        Table t;
        Vell& w = *t.w;
        t.occupyEveryPlace();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(checkedCodes(t), QList<int>{0});
        QCOMPARE(background(w), QColor(Qt::green));
        verifyTextsReadable(w, Qt::green);
        QCOMPARE(t.button(1)->palette().color(QPalette::Active, QPalette::ButtonText),
                 QApplication::palette().color(QPalette::Active, QPalette::ButtonText));

        const QList<Qt::GlobalColor> colours = {Qt::green, Qt::white, Qt::red,    Qt::blue,     Qt::cyan,
                                                Qt::magenta, Qt::yellow, Qt::gray, Qt::lightGray};
        const QList<QAction*> actions = colourActions(t);
        for (int code : {3, 6, 8, 1, 8, 0, 5, 2, 7, 4}) {
            actions[code]->trigger();
            QCOMPARE(t.settings.Back_color_no, code);
            QCOMPARE(checkedCodes(t), QList<int>{code});
            QCOMPARE(background(w), QColor(colours[code]));
            verifyTextsReadable(w, colours[code]);
        }
    }

    void companionsLeaveAMatchAlone()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        t.action("Human_vs_Computer_Action")->trigger();
        QVERIFY(t.waitForPlay());
        const QString before = t.snapshot();
        t.action("Back_color_red_Action")->trigger();
        t.action("Level_check_Action")->trigger();
        t.action("Help_Action")->trigger();
        QCOMPARE(t.snapshot(), before);
        QCOMPARE(background(w), QColor(Qt::red));

        // The match goes on from there.
        QTest::mouseClick(t.button(t.untiedCard()), Qt::LeftButton);
        QVERIFY(t.runUntil([&] { return t.match().N() == 1 || t.match().tie_flag() == 1; }));
        topLevel<Level_Check>()->close();
        topLevel<Help_explain>()->close();
    }

    void greetingAndFarewell()
    {
        PlayerName name(QStringLiteral("Ann"));
        bool tableExisted = true;
        bool windowShown = true;
        BoxAnswerer answerer([&](QMessageBox* box) {
            if (auto* window = qobject_cast<Vell*>(box->parentWidget())) {
                tableExisted = window->findChild<QLabel*>(QStringLiteral("Score_Label")) != nullptr;
                windowShown = window->isVisible();
            }
        });
        Table t;
        Vell& w = *t.w;
        QCOMPARE(answerer.seen().size(), 1);
        const SeenBox& hello = answerer.seen().first();
        QCOMPARE(hello.title, QStringLiteral("Greeting Message!"));
        QCOMPARE(hello.text, QStringLiteral("Hello Ann\n\n How are you?\n \n Let's Start Playing  Game!!"));
        QCOMPARE(hello.icon, QMessageBox::Information);
        QCOMPARE(hello.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(hello.parent, &w);
        QVERIFY(!tableExisted);
        QVERIFY(!windowShown);

        w.show();
        t.action("Close_Action")->trigger();
        QCOMPARE(answerer.seen().size(), 2);
        const SeenBox& bye = answerer.seen().last();
        QCOMPARE(bye.title, QStringLiteral("Good bye Message!"));
        QCOMPARE(bye.text, QStringLiteral("Good Bye Ann\n\n See you again!!"));
        QCOMPARE(bye.parent, &w);
        QVERIFY(!w.isVisible());

        // Closing from the title bar says goodbye the same way, once.
        w.show();
        QVERIFY(w.close());
        QCOMPARE(answerer.seen().size(), 3);
        QCOMPARE(answerer.seen().last().title, QStringLiteral("Good bye Message!"));
    }

    void noNameNoBox()
    {
        BoxAnswerer answerer;
        {
            Table t;
            Vell& w = *t.w;
            w.show();
            t.action("Close_Action")->trigger();
            QVERIFY(!w.isVisible());
        }
        QVERIFY(answerer.seen().isEmpty());
    }

    void namesAreShownLiterally()
    {
        const QString longName = QString(10000, QLatin1Char('W'));
        // Long, but in words: shown whole, the box wrapping it.
        QStringList words;
        for (int i = 0; i < 30; ++i)
            words << QStringLiteral("Name%1").arg(i);
        const QString manyWords = words.join(QLatin1Char(' '));
        for (const QString& name : {QStringLiteral("<b>Ann</b> &amp; <i>co</i>"), manyWords, longName}) {
            PlayerName player(name);
            BoxAnswerer answerer;
            Table t;
            QCOMPARE(answerer.seen().size(), 1);
            const SeenBox& hello = answerer.seen().first();
            QCOMPARE(hello.format, Qt::PlainText);
            const QRect screen = t.w->screen()->availableGeometry();
            QVERIFY2(hello.size.width() <= screen.width() && hello.size.height() <= screen.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(hello.size.width()).arg(hello.size.height())));
            if (name.size() < 1000) {
                QVERIFY(hello.text.startsWith(QStringLiteral("Hello ") + name + '\n'));
            } else {
                // Too wide to show whole: shortened in the middle, the box on screen.
                QVERIFY(hello.text.startsWith(QStringLiteral("Hello WWW")));
                QVERIFY(hello.text.contains(QChar(0x2026)));
            }
        }
    }

    void oneHelpWindowThatKeepsItsPlace()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        for (int i = 0; i < 3; ++i)
            t.action("Help_Action")->trigger();
        QCOMPARE(windowsOfKind<Help_explain>(), 1);
        QVERIFY(topLevel<Help_explain>()->isVisible());
        QVERIFY(!topLevel<Help_explain>()->document()->isEmpty());

        QScrollBar* scroll = topLevel<Help_explain>()->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum() / 2);
        const int position = scroll->value();
        topLevel<Help_explain>()->close();
        t.action("Help_Action")->trigger();
        QCOMPARE(scroll->value(), position);

        // Closing the table leaves the rules open, and they keep the program
        // running until they are closed too.
        w.close();
        QVERIFY(topLevel<Help_explain>()->isVisible());
        QVERIFY(topLevel<Help_explain>()->testAttribute(Qt::WA_QuitOnClose));
        topLevel<Help_explain>()->close();
        QVERIFY(topLevel<Help_explain>()->isHidden());
    }

    // The keys a desktop player expects: F1 for help, Escape to close it,
    // Ctrl+Q to leave the game by the same path as "close".
    void desktopKeys()
    {
        PlayerName name(QStringLiteral("Ann"));
        BoxAnswerer answerer;
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        QVERIFY(topLevel<Help_explain>()->isVisible());
        topLevel<Help_explain>()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(topLevel<Help_explain>()));
        QTest::keyClick(topLevel<Help_explain>(), Qt::Key_Escape);
        QVERIFY(topLevel<Help_explain>()->isHidden());

        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(answerer.seen().size(), 1);
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!w.isVisible());
        QCOMPARE(answerer.seen().size(), 2);
        QCOMPARE(answerer.seen().last().title, QStringLiteral("Good bye Message!"));
    }

    // Once the table is on the screen, the windows carry the game's icon,
    // and the desktop can tell them as the game's by its desktop file.
    void iconAndDesktopName()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(QTest::qWaitFor([&w] { return !w.windowIcon().isNull(); }));
        for (QWidget* window : {static_cast<QWidget*>(&w), static_cast<QWidget*>(topLevel<Help_explain>()),
                                static_cast<QWidget*>(topLevel<Level_Check>())}) {
            const QIcon icon = window->windowIcon();
            QVERIFY(!icon.isNull());
            for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
                QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
        }
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(VELL_APP_ID));
    }

    void oneSettingsDialog()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        t.action("Level_check_Action")->trigger();
        t.action("Level_check_Action")->trigger();
        QCOMPARE(windowsOfKind<Level_Check>(), 1);
        QVERIFY(topLevel<Level_Check>()->isVisible());
        QVERIFY(!topLevel<Level_Check>()->isModal());
        topLevel<Level_Check>()->close();
    }

    void japanese()
    {
        QTranslator english;
        QVERIFY(!installTranslation(*qApp, english, QLocale(QLocale::English, QLocale::UnitedStates)));
        QVERIFY(english.isEmpty());
        QCOMPARE(QCoreApplication::translate("Vell", "Help"), QStringLiteral("Help"));

        QTranslator japanese;
        QVERIFY(installTranslation(*qApp, japanese, QLocale(QLocale::Japanese, QLocale::Japan)));
        {
            Table t;
        Vell& w = *t.w;
            QCOMPARE(t.label("Score_Label")->text(), QStringLiteral("ラウンド:0,得点:CPU=0,あなた=0,引分=0"));
            QCOMPARE(w.menuBar()->actions().first()->text(), QStringLiteral("ゲーム(&G)"));
            QCOMPARE(t.action("Human_vs_Computer_Action")->text(), QStringLiteral("人間 対 コンピュータ"));
            QCOMPARE(topLevel<Level_Check>()->windowTitle(), QStringLiteral("レベル確認"));
            QCOMPARE(child<QLabel>(*topLevel<Level_Check>(), QStringLiteral("Level_Label"))->text(), QStringLiteral("レベル:2(易しい)"));
            QCOMPARE(topLevel<Help_explain>()->windowTitle(), QStringLiteral("ヴェルの遊び方"));
            QCOMPARE(t.shown("User_Label_card", 7), QStringLiteral("クラブの7"));
            // Card names as people say them, in Japanese too.
            const QStringList ranks = {QStringLiteral("エース"), QStringLiteral("ジャック"), QStringLiteral("クイーン"),
                                       QStringLiteral("キング")};
            QCOMPARE(t.shown("User_Label_card", 1), QStringLiteral("クラブの") + ranks[0]);
            for (int v : {11, 12, 13})
                QCOMPARE(t.shown("User_Label_card", v), QStringLiteral("クラブの") + ranks[v - 10]);
            QCOMPARE(t.button(12)->accessibleName(), QStringLiteral("クラブのクイーンを出す"));
            QCOMPARE(presenter::prizeSpeech(3, 1), QStringLiteral("ラウンド3、賞品はダイヤのエース、11点"));

            // Japanese lines may be taller; the fullest table still fits.
            t.occupyEveryPlace();
            QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1位:あなた=53"));
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(t.clippedPlaces(), QString());
        }
        QCoreApplication::removeTranslator(&japanese);
    }
};

QTEST_MAIN(CompanionsTest)
#include "tst_companions.moc"
