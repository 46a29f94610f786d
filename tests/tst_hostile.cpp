// SPDX-License-Identifier: MIT
// Hostile surroundings: no data at all, data that is garbage, the window
// closed at awkward moments, and names that are not names.
#include "app/translation.h"
#include "dialogs/help_explain.h"
#include "core/asset_paths.h"
#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTranslator>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace fixture;

namespace {

const QString kRulesPage = QStringLiteral("html/vell_explain.html");

// Every file the game reads, by its relative path.
QStringList everyDataFile()
{
    QStringList files = {assets::cardBackPath(), kRulesPage, QStringLiteral("Vell_ja.qm")};
    for (int v = 1; v <= rules::kCards; ++v) {
        for (rules::Suit suit : {rules::Suit::Diamonds, rules::Suit::Spades, rules::Suit::Clubs})
            files << assets::cardImagePath(suit, v);
        files << assets::roundSoundPath(v);
    }
    return files;
}

// Every file the game reads, each holding the given bytes.
void writeEveryDataFile(const QDir& root, const QByteArray& bytes)
{
    for (const QString& name : everyDataFile()) {
        root.mkpath(QFileInfo(root.filePath(name)).path());
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

// Puts something that is not a regular file where a data file should be.
bool putSpecialFile(const QString& path, const QString& kind)
{
    QDir().mkpath(QFileInfo(path).path());
    if (kind == QLatin1String("link to /dev/zero"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QLatin1String("named pipe"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return QDir().mkpath(path);
}

long peakMemoryKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Plays a whole match against the computer, then a watching match, and
// checks that both reach their result and the idle table, with no step held
// up by what the game reads.
void playBothKinds(Table& t)
{
    QVERIFY2(t.playMatchOut(), qPrintable(t.where()));
    QCOMPARE(t.match().open_count(), 0);
    QCOMPARE(t.label("Result_Label1")->text().isEmpty(), false);

    t.action("Computer_vs_Computer_Action")->trigger();
    QVERIFY2(t.runUntil([&] { return t.resultShown(); }), qPrintable(t.where()));
    QCOMPARE(t.match().CPU_score() + t.match().User_score(), rules::kAllPrizePoints);
    QVERIFY2(t.runOut(), qPrintable(t.where()));
    QVERIFY2(t.longestMomentMs < 100, qPrintable(QStringLiteral("a step took %1 ms").arg(t.longestMomentMs)));
}

} // namespace

class HostileTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qputenv("VELL_PLAYER_NAME", QByteArray());
    }

    void emptyFolder()
    {
        QTemporaryDir empty;
        WorkingFolder inside(empty.path());
        Table t;
        Vell& w = *t.w;
        w.show();
        // Empty places, but the places are there and say what they hold.
        for (int v = 1; v <= 13; ++v) {
            QVERIFY(t.label("User_Label_card", v)->pixmap().isNull());
            QVERIFY(t.label("CPU_Label_card", v)->pixmap().isNull());
            QCOMPARE(t.label("User_Label_card", v)->size(), t.label("CPU_Label_card", v)->size());
        }
        QCOMPARE(t.shown("User_Label_card", 3), QStringLiteral("3 of clubs"));
        QVERIFY(topLevel<Help_explain>()->document()->isEmpty());
        playBothKinds(t);
    }

    void garbageData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("noise") << QByteArray(4096, '\xA5');
        QTest::newRow("a PNG signature and no more") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("a RIFF header that lies") << QByteArray("RIFF\xff\xff\xff\x7fWAVEfmt \x10\0\0\0\x01\0\x02\0", 24);
    }

    void garbageData()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        writeEveryDataFile(QDir(folder.path()), bytes);
        WorkingFolder inside(folder.path());
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(t.label("User_Label_card", 1)->pixmap().isNull());
        playBothKinds(t);
    }

    void specialFilesInPlaceOfData_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("realPage");
        for (const char* kind : {"link to /dev/zero", "named pipe", "directory"}) {
            QTest::addRow("%s everywhere", kind) << QString::fromLatin1(kind) << false;
            // The page loads and asks for the card images it shows.
            QTest::addRow("%s, the rules page real", kind) << QString::fromLatin1(kind) << true;
        }
    }

    // Each is passed over like a missing file: never waited on, never read.
    void specialFilesInPlaceOfData()
    {
        QFETCH(QString, kind);
        QFETCH(bool, realPage);
        QTemporaryDir folder;
        for (const QString& name : everyDataFile()) {
            if (realPage && name == kRulesPage) {
                QDir(folder.path()).mkpath(QStringLiteral("html"));
                QVERIFY(QFile::copy(kRulesPage, folder.filePath(kRulesPage)));
            } else {
                QVERIFY2(putSpecialFile(folder.filePath(name), kind), qPrintable(name));
            }
        }
        WorkingFolder inside(folder.path());
        const long memoryBefore = peakMemoryKib();

        QTranslator japanese;
        // Nothing to install: the texts stay English.
        QVERIFY(!installTranslation(*qApp, japanese, QLocale(QLocale::Japanese, QLocale::Japan)));
        QCOMPARE(QCoreApplication::translate("Vell", "Help"), QStringLiteral("Help"));
        QCoreApplication::removeTranslator(&japanese);

        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY(t.label("User_Label_card", 1)->pixmap().isNull());
        QVERIFY(t.label("CPU_Label_card", 1)->pixmap().isNull());
        playBothKinds(t);
        t.action("Help_Action")->trigger();
        QVERIFY(topLevel<Help_explain>()->isVisible());
        QCOMPARE(topLevel<Help_explain>()->document()->isEmpty(), !realPage);
        if (realPage)
            QVERIFY(topLevel<Help_explain>()->toPlainText().contains(QLatin1String("Vell")));
        topLevel<Help_explain>()->close();
        w.close();
        // Reading any one of them whole would take gigabytes.
        const long grownKib = peakMemoryKib() - memoryBefore;
        QVERIFY2(grownKib < 64 * 1024, qPrintable(QStringLiteral("memory grew by %1 KiB").arg(grownKib)));
    }

    void closingAtAwkwardMoments_data()
    {
        QTest::addColumn<QString>("moment");
        QTest::newRow("a card on the table") << "Card Open";
        QTest::newRow("a tie") << "No Count";
        QTest::newRow("the result") << "result";
    }

    void closingAtAwkwardMoments()
    {
        QFETCH(QString, moment);
        PlayerName name(QStringLiteral("Ann"));
        BoxAnswerer answerer;
        Table t;
        Vell& w = *t.w;
        w.show();
        QCOMPARE(answerer.seen().size(), 1);
        t.startMatch();
        const auto reached = [&] {
            return moment == "result" ? !t.label("Result_Label1")->isHidden()
                                      : t.label("Message_Label")->text() == moment;
        };
        // Thirteen rounds and a tie at most: a rule gone wrong ends the test
        // instead of playing a refused card for ever.
        for (int plays = 0; !reached(); ++plays) {
            QVERIFY2(plays <= rules::kCards + 1, qPrintable(QStringLiteral("never reached %1 at %2").arg(moment, t.where())));
            QVERIFY2(t.runUntil([&] { return t.phase() == Match::Phase::WaitingForCard || reached(); }),
                     qPrintable(t.where()));
            if (reached())
                break;
            t.click(moment == "No Count" ? t.computerCard() : t.untiedCard());
        }

        t.action("Close_Action")->trigger();
        QVERIFY(!w.isVisible());
        QCOMPARE(answerer.seen().size(), 2);
        QCOMPARE(answerer.seen().last().title, QStringLiteral("Good bye Message!"));

        // Nothing goes on behind the closed window.
        const QString after = t.snapshot();
        QCOMPARE(t.clock.pending(), 0);
        QVERIFY(!t.time.hasWake());
        t.time.advance(20000);
        QCOMPARE(t.snapshot(), after);
        QCOMPARE(t.phase(), Match::Phase::Idle);
        QCOMPARE(answerer.seen().size(), 2);
        QVERIFY(t.commandsEnabled());
        QCOMPARE(t.enabledCards(), QList<int>{});
    }

    void namesThatAreNotNames_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("shown");
        QTest::newRow("placeholders") << QByteArray("%1 %2 %L1") << "%1 %2 %L1";
        QTest::newRow("line breaks and tabs") << QByteArray("Ann\nBob\tCy\r") << "Ann Bob Cy ";
        QTest::newRow("not UTF-8") << QByteArray("Ann\xff\xfe") << QString::fromUtf8("Ann\xff\xfe");
        QTest::newRow("right to left") << QByteArray("\xd7\x90\xd7\x91 Ann") << QString::fromUtf8("\xd7\x90\xd7\x91 Ann");
        QTest::newRow("line separator") << QByteArray("Ann\xe2\x80\xa8" "Bob") << "Ann Bob";
        QTest::newRow("paragraph separator") << QByteArray("Ann\xe2\x80\xa9" "Bob") << "Ann Bob";
        QTest::newRow("next line") << QByteArray("Ann\xc2\x85" "Bob") << "Ann Bob";
        QTest::newRow("vertical tab") << QByteArray("Ann\x0b" "Bob") << "Ann Bob";
    }

    void namesThatAreNotNames()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, shown);
        qputenv("VELL_PLAYER_NAME", raw);
        BoxAnswerer answerer;
        {
            Table t;
        Vell& w = *t.w;
            w.show();
            w.close();
        }
        qputenv("VELL_PLAYER_NAME", QByteArray());
        QCOMPARE(answerer.seen().size(), 2);
        QCOMPARE(answerer.seen().first().format, Qt::PlainText);
        QCOMPARE(answerer.seen().first().text.section('\n', 0, 0), QStringLiteral("Hello ") + shown);
        QCOMPARE(answerer.seen().last().text.section('\n', 0, 0), QStringLiteral("Good Bye ") + shown);
    }
};

QTEST_MAIN(HostileTest)
#include "tst_hostile.moc"
