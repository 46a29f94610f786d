// SPDX-License-Identifier: MIT
// The game's windows come where the player looks, under a real window
// manager (with_window_manager.sh): "Level check" and "Help" bring theirs on
// top with the focus, whether it was never shown, closed, behind the table
// or minimised; the first time centred over the table, later where it was
// left. The greeting is centred where the table then appears.
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "fixture.h"

#include <QProcess>

using namespace fixture;

namespace {

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 5000);
}

QString x(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished();
    return QString::fromLatin1(p.readAllStandardOutput());
}

// Shown, not minimised, with the focus, and above the other window as the
// window manager stacks them.
bool inFront(QWidget* window, QWidget* other)
{
    const QString stacking = x(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    const auto place = [&](QWidget* w) { return stacking.indexOf(QStringLiteral("0x%1").arg(w->winId(), 0, 16)); };
    return window->isVisible() && !window->isMinimized() && window->isActiveWindow() && place(window) > place(other);
}

// Where the X server shows the window, once it does.
QRect shown(QWidget* w)
{
    QRect at;
    const bool viewable = waitFor([&] {
        const QString info = x(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(w->winId())});
        const auto value = [&](const char* key) { return info.section(QLatin1String(key), 1).section(QLatin1Char('\n'), 0, 0).toInt(); };
        at = QRect(QPoint(value("Absolute upper-left X:"), value("Absolute upper-left Y:")), w->size());
        return info.contains(QLatin1String("IsViewable"));
    });
    return viewable ? at : QRect();
}

// The frame the window manager has put around the window, once Qt knows
// where the X server has the window.
QRect frame(QWidget* w)
{
    return waitFor([&] { return w->frameGeometry() != w->geometry() && shown(w).topLeft() == w->geometry().topLeft(); })
        ? w->frameGeometry()
        : QRect();
}

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void companionWindows_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("before");
        for (const char* command : {"Level_check_Action", "Help_Action"}) {
            for (const char* before : {"never shown", "closed", "behind the table", "minimised", "moved and closed"})
                QTest::addRow("%s, %s", command, before) << QByteArray(command) << QByteArray(before);
        }
    }

    void companionWindows()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, before);
        Table t;
        QWidget* table = t.w.get();
        table->show();
        QVERIFY(QTest::qWaitForWindowActive(table));
        const QRect tableFrame = frame(table);
        QWidget* window = command == "Help_Action" ? static_cast<QWidget*>(topLevel<Help_explain>())
                                                   : static_cast<QWidget*>(topLevel<Level_Check>());
        QPoint left;
        if (before != "never shown") {
            t.action(command)->trigger();
            QVERIFY(waitFor([&] { return inFront(window, table); }));
            left = frame(window).topLeft() + (before == "moved and closed" ? QPoint(-60, 40) : QPoint());
            x(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QString::number(window->winId()),
                                          QString::number(left.x()), QString::number(left.y())});
            QVERIFY(waitFor([&] { return window->frameGeometry().topLeft() == left; }));
            if (before == "behind the table") {
                table->activateWindow();
                QVERIFY(waitFor([&] { return inFront(table, window); }));
            } else if (before == "minimised") {
                window->showMinimized();
                QVERIFY(waitFor([&] { return window->isMinimized() && table->isActiveWindow(); }));
            } else {
                window->close();
                QVERIFY(waitFor([&] { return table->isActiveWindow(); }));
            }
        }
        t.action(command)->trigger();
        QVERIFY(waitFor([&] { return inFront(window, table); }));
        const QRect placed = frame(window);
        if (before == "never shown")
            QVERIFY((placed.center() - tableFrame.center()).manhattanLength() <= 4);
        else
            QCOMPARE(placed.topLeft(), left);
        window->close();
    }

    // The greeting comes before the table; both are framed alike, so their
    // insides are centred as their frames are.
    void greetingWhereTheTableAppears()
    {
        PlayerName name(QStringLiteral("Ann"));
        QRect greeting;
        BoxAnswerer answerer([&greeting](QMessageBox* box) { greeting = shown(box); });
        Table t;
        t.w->show();
        QCOMPARE(answerer.seen().size(), 1);
        QVERIFY(greeting.isValid());
        QVERIFY((greeting.center() - shown(t.w.get()).center()).manhattanLength() <= 4);
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
