// SPDX-License-Identifier: MIT
// The rules as plain functions, and what the game reads: where its data
// comes from, which files it accepts, and the time scale.
#include "core/asset_paths.h"
#include "core/contrast.h"
#include "core/data_dir.h"
#include "core/rules.h"
#include "core/time_scale.h"
#include "core/wave_file.h"
#include "core_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using rules::Draw;
using rules::Order;

Q_DECLARE_METATYPE(Order)
Q_DECLARE_METATYPE(Draw)

namespace {

Order ascending()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

void put16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xff)).append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

// A WAV file of the given PCM layout around `data`.
QByteArray wave(quint16 format, quint16 channels, quint32 rate, quint16 bits, const QByteArray& data,
                quint32 declaredData = 0xffffffff)
{
    QByteArray fmt;
    put16(fmt, format);
    put16(fmt, channels);
    put32(fmt, rate);
    put32(fmt, rate * channels * bits / 8);
    put16(fmt, quint16(channels * bits / 8));
    put16(fmt, bits);
    QByteArray body = "WAVEfmt ";
    put32(body, quint32(fmt.size()));
    body += fmt;
    body += "LIST";
    put32(body, 3);
    body += QByteArray("abc\0", 4);  // an odd-sized chunk, padded
    body += "data";
    put32(body, declaredData == 0xffffffff ? quint32(data.size()) : declaredData);
    body += data;
    QByteArray file = "RIFF";
    put32(file, quint32(body.size()));
    return file + body;
}

// Sample bytes that differ from their neighbours.
QByteArray ramp()
{
    QByteArray samples(2000, 0);
    for (int i = 0; i < samples.size(); ++i)
        samples[i] = char(i % 251);
    return samples;
}

Order swapped(Order order, int i, int j)
{
    std::swap(order[i], order[j]);
    return order;
}

} // namespace

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void shufflePass_data()
    {
        QTest::addColumn<Order>("before");
        QTest::addColumn<Draw>("draw");
        QTest::addColumn<Order>("after");

        QTest::newRow("all six equal: no exchange") << ascending() << Draw{4, 4, 4, 4, 4, 4} << ascending();
        // Only the five pairs with the last slot differ: 3 and 7 change places five times.
        QTest::newRow("five equal, one apart: exchanged once")
            << ascending() << Draw{3, 3, 3, 3, 3, 7} << swapped(ascending(), 3, 7);
        // Places 0 and 2 meet four times, 1 and 2 four times, 0 and 1 once.
        QTest::newRow("repeated places: only the odd exchange stays")
            << ascending() << Draw{0, 1, 2, 2, 2, 2} << swapped(ascending(), 0, 1);
        QTest::newRow("repeated places that cancel out") << ascending() << Draw{5, 9, 5, 9, 0, 0} << ascending();
        // Six distinct places: the fifteen exchanges in pair order reverse them.
        QTest::newRow("six distinct places")
            << ascending() << Draw{0, 1, 2, 3, 4, 5} << Order{6, 5, 4, 3, 2, 1, 7, 8, 9, 10, 11, 12, 13};
        QTest::newRow("works on the order it is given")
            << Order{13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1} << Draw{12, 12, 12, 12, 12, 0}
            << Order{1, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 13};
        QTest::newRow("a place outside the table is skipped")
            << ascending() << Draw{13, 0, 0, 0, 0, -1} << ascending();
    }

    void shufflePass()
    {
        QFETCH(Order, before);
        QFETCH(Draw, draw);
        QFETCH(Order, after);
        Order order = before;
        rules::shufflePass(order, draw);
        QCOMPARE(order, after);
    }

    void prizePoints_data()
    {
        QTest::addColumn<int>("prize");
        QTest::addColumn<int>("points");
        QTest::newRow("the ace is worth 11") << 1 << 11;
        QTest::newRow("two") << 2 << 2;
        QTest::newRow("king") << 13 << 13;
        QTest::newRow("no card") << 0 << 0;
        QTest::newRow("above the king") << 14 << 0;
        QTest::newRow("negative") << -1 << 0;
    }

    void prizePoints()
    {
        QFETCH(int, prize);
        QFETCH(int, points);
        QCOMPARE(rules::prizePoints(prize), points);
    }

    void allPrizesAddUpTo101()
    {
        int total = 0;
        for (int v = 1; v <= rules::kCards; ++v)
            total += rules::prizePoints(v);
        QCOMPARE(total, rules::kAllPrizePoints);
    }

    void judge()
    {
        QCOMPARE(rules::judge(13, 12), rules::Verdict::ComputerWins);
        QCOMPARE(rules::judge(9, 5), rules::Verdict::ComputerWins);
        QCOMPARE(rules::judge(1, 13), rules::Verdict::PlayerWins);
        QCOMPARE(rules::judge(7, 7), rules::Verdict::Tie);
        // The ace is the lowest card when cards are compared.
        QCOMPARE(rules::judge(1, 2), rules::Verdict::PlayerWins);
    }

    void assetPaths()
    {
        QCOMPARE(assets::cardImagePath(rules::Suit::Diamonds, 1), QStringLiteral("gazo/D01.png"));
        QCOMPARE(assets::cardImagePath(rules::Suit::Spades, 12), QStringLiteral("gazo/S12.png"));
        QCOMPARE(assets::cardImagePath(rules::Suit::Clubs, 7), QStringLiteral("gazo/C07.png"));
        QCOMPARE(assets::roundSoundPath(10), QStringLiteral("wave/10.wav"));
    }

    // Known figures of the measure of contrast.
    void contrast()
    {
        QCOMPARE(qRound(contrast::ratio(0x000000, 0xffffff) * 100), 2100);
        QCOMPARE(qRound(contrast::ratio(0xffffff, 0x767676) * 100), 454);
        QCOMPARE(contrast::textColourOn(0x0000ff), contrast::kWhite);
        QCOMPARE(contrast::textColourOn(0xff0000), contrast::kBlack);
    }

    // What is played is what was checked: whole frames of the data chunk.
    void playableWaves_data()
    {
        const QByteArray samples = ramp();
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("frames");
        QTest::newRow("16-bit mono") << wave(1, 1, 22050, 16, samples) << 1000;
        QTest::newRow("8-bit stereo") << wave(1, 2, 8000, 8, samples) << 1000;
        QTest::newRow("24-bit stereo, the last frame cut short") << wave(1, 2, 48000, 24, samples) << 333;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("noise") << QByteArray(4096, '\xa5') << 0;
        QTest::newRow("data promised beyond the end") << wave(1, 1, 22050, 16, samples, 0x7fffffff) << 0;
        QTest::newRow("cut short") << wave(1, 1, 22050, 16, samples).left(1000) << 0;
        QTest::newRow("no samples") << wave(1, 1, 22050, 16, QByteArray()) << 0;
        QTest::newRow("less than a frame") << wave(1, 2, 22050, 16, samples.left(3)) << 0;
        QTest::newRow("compressed") << wave(2, 1, 22050, 4, samples) << 0;
        QTest::newRow("12-bit") << wave(1, 1, 22050, 12, samples) << 0;
        QTest::newRow("no channels") << wave(1, 0, 22050, 16, samples) << 0;
        QTest::newRow("silly rate") << wave(1, 1, 7, 16, samples) << 0;
        QByteArray riffLies = wave(1, 1, 22050, 16, samples);
        riffLies[4] = '\xff';
        riffLies[7] = '\x7f';
        QTest::newRow("RIFF size beyond the end") << riffLies << 0;
    }

    void playableWaves()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, frames);
        const auto sound = readWave(bytes);
        QCOMPARE(sound.has_value(), frames > 0);
        if (sound) {
            const int frameBytes = sound->channels * sound->bits / 8;
            QCOMPARE(sound->samples.size(), frames * frameBytes);
            QCOMPARE(sound->samples, ramp().left(frames * frameBytes));
        }
    }

    void theRoundSoundsArePlayable()
    {
        // The generated sounds, as the game finds them.
        for (int round = 1; round <= rules::kCards; ++round) {
            QFile file(assets::roundSoundPath(round));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            QVERIFY2(readWave(file.readAll()), qPrintable(file.fileName()));
        }
    }

    void dataIsReadFromTheWorkingFolderFirst()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const fixture::WorkingFolder inside(folder.path());
        QVERIFY(inside.moved);
        const QStringList installed = installedDataFolders();
        QCOMPARE(installed.size(), 2);
        QCOMPARE(installed.last(), QCoreApplication::applicationDirPath());
        QVERIFY(installed.first().endsWith(QStringLiteral("/share/vell")));

        // An installed copy beside this program, and one in the working folder.
        const QString name = QStringLiteral("vell-test-data/card.png");
        const QDir beside(QCoreApplication::applicationDirPath());
        QVERIFY(beside.mkpath(QStringLiteral("vell-test-data")));
        const auto write = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
        };
        QVERIFY(write(beside.filePath(name)));
        QCOMPARE(dataFile(name), beside.filePath(name));
        QVERIFY(QDir().mkpath(QStringLiteral("vell-test-data")));
        QVERIFY(write(name));
        QCOMPARE(dataFile(name), name);
        // Only a regular file counts: a folder in its place is passed over.
        QVERIFY(QFile::remove(name));
        QVERIFY(QDir().mkpath(name));
        QCOMPARE(dataFile(name), beside.filePath(name));
        QVERIFY(QDir(beside.filePath(QStringLiteral("vell-test-data"))).removeRecursively());
        // Found nowhere: the path stays as it is and simply fails to load.
        QCOMPARE(dataFile(QStringLiteral("gazo/D01.png")), QStringLiteral("gazo/D01.png"));
    }

    void onlyRegularFilesOfASensibleSizeAreRead()
    {
        QTemporaryDir folder;
        const QString plain = folder.filePath(QStringLiteral("plain"));
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1000, 'v'));
        file.close();
        QCOMPARE(readDataFile(plain, 1000), QByteArray(1000, 'v'));
        QCOMPARE(readDataFile(plain, 999), std::nullopt);
        QVERIFY(QFile::link(plain, folder.filePath(QStringLiteral("link"))));
        QCOMPARE(readDataFile(folder.filePath(QStringLiteral("link")), 4096), QByteArray(1000, 'v'));
        const QString empty = folder.filePath(QStringLiteral("empty"));
        QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
        QCOMPARE(readDataFile(empty, 10), QByteArray());

        // Never waited on, never read: each would block or never end.
        const QString pipe = folder.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(readDataFile(pipe, 4096), std::nullopt);
        QCOMPARE(readDataFile(QStringLiteral("/dev/zero"), 4096), std::nullopt);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), folder.filePath(QStringLiteral("zero"))));
        QCOMPARE(readDataFile(folder.filePath(QStringLiteral("zero")), 4096), std::nullopt);
        QCOMPARE(readDataFile(folder.path(), 4096), std::nullopt);
        QCOMPARE(readDataFile(folder.filePath(QStringLiteral("missing")), 4096), std::nullopt);
    }

    void timeScaleAcceptsOnlyUsableNumbers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("usable");
        QTest::newRow("one") << QByteArray("1") << true;
        QTest::newRow("small") << QByteArray("0.01") << true;
        QTest::newRow("upper bound") << QByteArray("10") << true;
        QTest::newRow("word") << QByteArray("abc") << false;
        QTest::newRow("zero") << QByteArray("0") << false;
        QTest::newRow("negative") << QByteArray("-1") << false;
        QTest::newRow("huge") << QByteArray("1e9") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("not a number") << QByteArray("nan") << false;
        QTest::newRow("infinite") << QByteArray("inf") << false;
        QTest::newRow("trailing junk") << QByteArray("0.5x") << false;
        QTest::newRow("ten thousand digits") << QByteArray(10000, '1') << false;
        QTest::newRow("binary") << QByteArray("\xff\x00\x01", 3) << false;
        QTest::newRow("spaces around") << QByteArray(" 0.25 ") << true;
    }

    void timeScaleAcceptsOnlyUsableNumbers()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, usable);
        QCOMPARE(timing::parseScale(text).has_value(), usable);
        qputenv("VELL_TIME_SCALE", text);
        QCOMPARE(timing::scaleFromEnvironment().value_or(0), usable ? text.toDouble() : 0);
        qunsetenv("VELL_TIME_SCALE");
    }
};

QTEST_GUILESS_MAIN(RulesTest)
#include "tst_rules.moc"
