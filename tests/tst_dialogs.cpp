// SPDX-License-Identifier: MIT
// The settings dialog and the rules window.
#include "app/translation.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "core/settings.h"
#include "fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <algorithm>

using namespace fixture;

namespace {

const QString kMessageText = QStringLiteral("This soft is free soft\nThere are not changing functions.");

// A check box reacts to clicks on its box and text only.
void clickCheckBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

void showAndWait(QWidget& w)
{
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        QTest::qFail(qPrintable(QStringLiteral("window %1 not exposed").arg(w.objectName())), __FILE__, __LINE__);
}

// Every control of a window lies inside it, none squeezed below the size it
// asks for (a wrapped text: below the height its width needs).
void verifyFits(const QWidget& window)
{
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const QSize needed = w->hasHeightForWidth() ? QSize(0, w->heightForWidth(w->width())) : w->sizeHint();
        const QRect place(w->mapTo(&window, QPoint(0, 0)), w->size());
        QVERIFY2(!w->isVisible() || (window.rect().contains(place) && w->width() >= needed.width() &&
                                     w->height() >= needed.height()),
                 qPrintable(w->objectName()));
    }
}

// The settings dialog's controls, found by their names as a player's tools
// would find them.
struct Controls
{
    explicit Controls(const Level_Check& d)
        : Level_Label(child<QLabel>(d, QStringLiteral("Level_Label")))
        , Hello_Label(child<QLabel>(d, QStringLiteral("Hello_Label")))
        , Level_change_CheckBox(child<QCheckBox>(d, QStringLiteral("Level_change_CheckBox")))
        , Level_Slider(child<QSlider>(d, QStringLiteral("Level_Slider")))
        , Card_method_CheckBox(child<QCheckBox>(d, QStringLiteral("Card_method_CheckBox")))
        , Random_RadioButton(child<QRadioButton>(d, QStringLiteral("Random_RadioButton")))
        , Turn_up_RadioButton(child<QRadioButton>(d, QStringLiteral("Turn_up_RadioButton")))
        , Turn_down_RadioButton(child<QRadioButton>(d, QStringLiteral("Turn_down_RadioButton")))
        , Card_method_GroupBox(child<QGroupBox>(d, QStringLiteral("Card_method_GroupBox")))
        , OK_button(child<QPushButton>(d, QStringLiteral("OK_button")))
        , Cansel_button(child<QPushButton>(d, QStringLiteral("Cansel_button")))
    {
    }

    QLabel* Level_Label;
    QLabel* Hello_Label;
    QCheckBox* Level_change_CheckBox;
    QSlider* Level_Slider;
    QCheckBox* Card_method_CheckBox;
    QRadioButton* Random_RadioButton;
    QRadioButton* Turn_up_RadioButton;
    QRadioButton* Turn_down_RadioButton;
    QGroupBox* Card_method_GroupBox;
    QPushButton* OK_button;
    QPushButton* Cansel_button;
};

// The fixed state the dialog always shows.
void verifyFixedState(const Level_Check& d, const Settings& settings)
{
    const Controls c(d);
    QCOMPARE(settings.Level, 2);
    QCOMPARE(c.Level_Label->text(), QStringLiteral("Level:2(Easy)"));
    QVERIFY(!c.Level_Label->isEnabled());
    QCOMPARE(c.Level_Slider->value(), 2);
    QVERIFY(!c.Level_Slider->isEnabled());
    QVERIFY(!c.Level_change_CheckBox->isChecked());
    QVERIFY(!c.Card_method_CheckBox->isChecked());
    QVERIFY(c.Random_RadioButton->isChecked());
    QVERIFY(!c.Turn_up_RadioButton->isChecked());
    QVERIFY(!c.Turn_down_RadioButton->isChecked());
}

bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const QChar::Script s = c.script();
        if (s == QChar::Script_Hiragana || s == QChar::Script_Katakana || s == QChar::Script_Han)
            return true;
    }
    return false;
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

    Settings m_settings;

private slots:
    void initTestCase() { qputenv("VELL_PLAYER_NAME", QByteArray()); }

    void cleanup()
    {
        m_settings = Settings();
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void settingsDialogAsOpened()
    {
        Level_Check d(m_settings);
        const Controls c(d);
        QCOMPARE(d.windowTitle(), QStringLiteral("Level check"));
        QCOMPARE(d.parentWidget(), nullptr);
        // Its own size at the ordinary font, 96 dpi; larger fonts make it grow.
        QCOMPARE(d.maximumSize(), d.minimumSize());
        QCOMPARE(d.minimumSize().expandedTo(QSize(340, 240)), d.minimumSize());
        if (QGuiApplication::primaryScreen()->logicalDotsPerInchY() == 96)
            QCOMPARE(d.minimumSize(), QSize(340, 240));
        QVERIFY(!d.isModal());

        struct Expected
        {
            QWidget* widget;
            const char* name;
            QString text;
            bool enabled;
        };
        // Top to bottom, as the player sees them.
        const QList<Expected> rows = {
            {c.Hello_Label, "Hello_Label", QStringLiteral("Hello "), true},
            {c.Level_change_CheckBox, "Level_change_CheckBox", QStringLiteral("Change Strange Level"), true},
            {c.Level_Label, "Level_Label", QStringLiteral("Level:2(Easy)"), false},
            {c.Level_Slider, "Level_Slider", QString(), false},
            {c.Card_method_CheckBox, "Card_method_CheckBox", QStringLiteral("Chenge Card deal method"), true},
            {c.Card_method_GroupBox, "Card_method_GroupBox", QStringLiteral("Diamond card deal method"), true},
            {c.OK_button, "OK_button", QStringLiteral("OK"), true},
        };
        const QList<Expected> choices = {
            {c.Random_RadioButton, "Random_RadioButton", QStringLiteral("Random(Default)"), false},
            {c.Turn_up_RadioButton, "Turn_up_RadioButton", QStringLiteral("Turn up"), false},
            {c.Turn_down_RadioButton, "Turn_down_RadioButton", QStringLiteral("Turn down"), false},
        };
        const Expected cansel{c.Cansel_button, "Cansel_button", QStringLiteral("Cansel"), false};

        auto textOf = [](QWidget* w) {
            if (auto* l = qobject_cast<QLabel*>(w))
                return l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                return b->text();
            if (auto* g = qobject_cast<QGroupBox*>(w))
                return g->title();
            return QString();
        };
        for (const auto& list : {rows, choices, QList<Expected>{cansel}}) {
            for (const Expected& e : list) {
                // Found by its name, which no other widget of the dialog shares.
                QCOMPARE(d.findChildren<QWidget*>(QLatin1String(e.name)).size(), 1);
                QCOMPARE(textOf(e.widget), e.text);
                QCOMPARE(e.widget->isEnabled(), e.enabled);
            }
        }
        QCOMPARE(c.Hello_Label->textFormat(), Qt::PlainText);
        QCOMPARE(c.Level_Slider->orientation(), Qt::Horizontal);
        QCOMPARE(c.Level_Slider->minimum(), 1);
        QCOMPARE(c.Level_Slider->maximum(), 5);
        QCOMPARE(c.Level_Slider->singleStep(), 1);
        verifyFixedState(d, m_settings);

        // The layout: seven rows, one widget each but the last, then a stretch.
        auto* top = qobject_cast<QVBoxLayout*>(d.layout());
        QVERIFY(top);
        QCOMPARE(top->count(), 8);
        for (int i = 0; i < 6; ++i) {
            QLayout* row = top->itemAt(i)->layout();
            QVERIFY(qobject_cast<QHBoxLayout*>(row));
            QCOMPARE(row->count(), 1);
            QCOMPARE(row->itemAt(0)->widget(), rows[i].widget);
        }
        QLayout* buttonRow = top->itemAt(6)->layout();
        QVERIFY(qobject_cast<QHBoxLayout*>(buttonRow));
        QCOMPARE(buttonRow->count(), 3);
        QVERIFY(buttonRow->itemAt(0)->spacerItem());
        QCOMPARE(buttonRow->itemAt(1)->widget(), c.OK_button);
        QCOMPARE(buttonRow->itemAt(2)->widget(), c.Cansel_button);
        QVERIFY(top->itemAt(7)->spacerItem());

        // And on screen: each row below the one before, inside the dialog.
        showAndWait(d);
        QCOMPARE(d.size(), d.minimumSize());
        for (int i = 1; i < rows.size(); ++i) {
            QVERIFY2(rows[i].widget->geometry().top() >= rows[i - 1].widget->geometry().bottom(), rows[i].name);
        }
        verifyFits(d);
        QCOMPARE(c.Cansel_button->geometry().top(), c.OK_button->geometry().top());
        QVERIFY(c.Cansel_button->geometry().left() > c.OK_button->geometry().right());
        QVERIFY(c.Cansel_button->geometry().right() > d.width() * 3 / 4);
        QVERIFY(d.isVisible() && c.Card_method_GroupBox->isVisible());
        for (int i = 0; i < choices.size(); ++i) {
            QCOMPARE(choices[i].widget->parentWidget(), c.Card_method_GroupBox);
            QVERIFY(c.Card_method_GroupBox->rect().contains(choices[i].widget->geometry()));
            if (i > 0)
                QVERIFY(choices[i].widget->geometry().top() >= choices[i - 1].widget->geometry().bottom());
        }
    }

    void settingsDialogGreetsByName()
    {
        {
            PlayerName name(QStringLiteral("Ann"));
            Level_Check d(m_settings);
            const Controls c(d);
            QCOMPARE(c.Hello_Label->text(), QStringLiteral("Hello Ann"));
        }
        {
            // The name is taken once, when the dialog is made.
            PlayerName name(QStringLiteral("Ann"));
            Level_Check d(m_settings);
            const Controls c(d);
            qputenv("VELL_PLAYER_NAME", "Bob");
            showAndWait(d);
            QCOMPARE(c.Hello_Label->text(), QStringLiteral("Hello Ann"));
        }
        {
            PlayerName name(QStringLiteral("<b>Ann</b> &amp;"));
            Level_Check d(m_settings);
            const Controls c(d);
            QCOMPARE(c.Hello_Label->textFormat(), Qt::PlainText);
            QCOMPARE(c.Hello_Label->text(), QStringLiteral("Hello <b>Ann</b> &amp;"));
        }
        {
            PlayerName name(QStringLiteral("Ann Kowalska-Nakamura"));
            Level_Check d(m_settings);
            const Controls c(d);
            QCOMPARE(c.Hello_Label->text(), QStringLiteral("Hello Ann Kowalska-Nakamura"));
        }
        {
            // A long name wraps and is shown whole, with the greeting around
            // it: in Japanese an honorific after it.
            const QString longName = QStringLiteral("Maria Magdalena Anastasia Kowalska-Nakamura von Rhein");
            PlayerName name(longName);
            QTranslator japanese;
            for (const QString& greeting : {QStringLiteral("Hello %1"), QStringLiteral("こんにちは、%1さん")}) {
                Level_Check d(m_settings);
                const Controls c(d);
                showAndWait(d);
                QCOMPARE(c.Hello_Label->text(), greeting.arg(longName));
                verifyFits(d);
                installTranslation(*qApp, japanese, QLocale(QLocale::Japanese));
            }
        }
        {
            const QString longName(10000, QLatin1Char('W'));
            PlayerName name(longName);
            Level_Check d(m_settings);
            const Controls c(d);
            showAndWait(d);
            // What is shown is the start of the greeting, cut short.
            const QString shown = c.Hello_Label->text();
            QVERIFY(shown.startsWith(QStringLiteral("Hello WWW")));
            QVERIFY(shown.size() < longName.size());
            verifyFits(d);
        }
    }

    void changeRequestsAreRefused()
    {
        Level_Check d(m_settings);
        const Controls c(d);
        showAndWait(d);

        const QList<QCheckBox*> boxes = {c.Level_change_CheckBox, c.Card_method_CheckBox};
        for (QCheckBox* box : boxes) {
            BoxAnswerer answerer;
            clickCheckBox(box);
            QCOMPARE(answerer.seen().size(), 1);
            const SeenBox& seen = answerer.seen().first();
            QCOMPARE(seen.title, QStringLiteral("Message"));
            QCOMPARE(seen.text, kMessageText);
            QCOMPARE(seen.icon, QMessageBox::Information);
            QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(seen.parent, &d);
            verifyFixedState(d, m_settings);
            QVERIFY(box->isEnabled());

            // A click that clears the tick asks nothing.
            box->setChecked(true);
            BoxAnswerer none;
            clickCheckBox(box);
            QVERIFY(!box->isChecked());
            QVERIFY(none.seen().isEmpty());
            verifyFixedState(d, m_settings);
        }
    }

    void closingHidesAndKeepsState()
    {
        PlayerName name(QStringLiteral("Ann"));
        QPointer<Level_Check> d = new Level_Check(m_settings);
        const Controls c(*d);

        showAndWait(*d);
        QTest::mouseClick(c.OK_button, Qt::LeftButton);
        QVERIFY(!d.isNull());
        QVERIFY(d->isHidden());

        showAndWait(*d);
        verifyFixedState(*d, m_settings);
        QCOMPARE(c.Hello_Label->text(), QStringLiteral("Hello Ann"));
        QVERIFY(d->close());
        QVERIFY(!d.isNull());
        QVERIFY(d->isHidden());

        // A close from the title bar arrives as a close event.
        showAndWait(*d);
        QCloseEvent event;
        event.ignore();
        QApplication::sendEvent(d, &event);
        QVERIFY(event.isAccepted());

        // Refusing a change, closing and opening again: still the same.
        {
            BoxAnswerer answerer;
            clickCheckBox(c.Card_method_CheckBox);
            QCOMPARE(answerer.seen().size(), 1);
        }
        d->close();
        showAndWait(*d);
        verifyFixedState(*d, m_settings);
        QVERIFY(c.OK_button->isEnabled());
        QVERIFY(!c.Cansel_button->isEnabled());
        delete d;
    }

    void levelNames_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");

        QTest::newRow("1") << 1 << 1 << QStringLiteral("Level:1(Most easy)");
        QTest::newRow("2") << 2 << 2 << QStringLiteral("Level:2(Easy)");
        QTest::newRow("3") << 3 << 3 << QStringLiteral("Level:3(Normal)");
        QTest::newRow("4") << 4 << 4 << QStringLiteral("Level:4(Difficult)");
        QTest::newRow("5") << 5 << 5 << QStringLiteral("Level:5(Most difficult)");
        QTest::newRow("above the slider: held at 5") << 9 << 5 << QStringLiteral("Level:5(Most difficult)");
        QTest::newRow("below the slider: held at 1") << 0 << 1 << QStringLiteral("Level:1(Most easy)");
    }

    void levelNames()
    {
        QFETCH(int, value);
        QFETCH(int, level);
        QFETCH(QString, text);

        Level_Check d(m_settings);
        const Controls c(d);
        c.Level_Slider->setValue(value);
        d.change_Level();
        QCOMPARE(m_settings.Level, level);
        QCOMPARE(c.Level_Label->text(), text);
    }

    void levelFollowsTheSlider()
    {
        Level_Check d(m_settings);
        const Controls c(d);
        showAndWait(d);

        // A press in the middle of the slider at 3 lands on its handle...
        c.Level_Slider->setValue(3);
        c.Level_Slider->setEnabled(true);
        QTest::mousePress(c.Level_Slider, Qt::LeftButton);
        QTest::mouseRelease(c.Level_Slider, Qt::LeftButton);
        QCOMPARE(m_settings.Level, 3);
        QCOMPARE(c.Level_Label->text(), QStringLiteral("Level:3(Normal)"));
        m_settings.Level = 2;
        c.Level_Label->setText(QStringLiteral("Level:2(Easy)"));

        // ...but as the dialog keeps it, disabled, the press does nothing.
        c.Level_Slider->setEnabled(false);
        QTest::mousePress(c.Level_Slider, Qt::LeftButton);
        QTest::mouseRelease(c.Level_Slider, Qt::LeftButton);
        QCOMPARE(m_settings.Level, 2);
        QCOMPARE(c.Level_Label->text(), QStringLiteral("Level:2(Easy)"));

        c.Level_Slider->setValue(4);
        // Pressing and releasing its handle both read the level.
        emit c.Level_Slider->sliderPressed();
        QCOMPARE(m_settings.Level, 4);
        QCOMPARE(c.Level_Label->text(), QStringLiteral("Level:4(Difficult)"));
        c.Level_Slider->setValue(1);
        emit c.Level_Slider->sliderReleased();
        QCOMPARE(m_settings.Level, 1);
        QCOMPARE(c.Level_Label->text(), QStringLiteral("Level:1(Most easy)"));

        // A level without a name leaves the line as it was.
        c.Level_Slider->setRange(0, 6);
        for (int value : {6, 0}) {
            c.Level_Slider->setValue(value);
            d.change_Level();
            QCOMPARE(m_settings.Level, value);
            QCOMPARE(c.Level_Label->text(), QStringLiteral("Level:1(Most easy)"));
        }
    }

    void helpWindowShowsTheRules()
    {
        Help_explain h;
        QCOMPARE(h.windowTitle(), QStringLiteral("How to play vell"));
        QCOMPARE(h.parentWidget(), nullptr);
        QVERIFY(h.isWindow());
        QVERIFY(h.isHidden());
        QCOMPARE(h.minimumSize(), QSize(640, 480));
        QCOMPARE(h.maximumSize(), QSize(640, 480));
        QVERIFY(h.isReadOnly());
        // The page comes with the first showing, or when the table asks for it.
        QVERIFY(h.document()->isEmpty());
        h.loadPage();

        const QTextDocument* doc = h.document();
        QVERIFY(!doc->isEmpty());
        QVERIFY(h.source().isLocalFile());
        QVERIFY(h.source().toLocalFile().endsWith(QLatin1String("html/vell_explain.html")));

        // Headings in both languages.
        QStringList headings;
        QStringList anchors;
        QStringList links;
        QStringList images;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0)
                headings << block.text();
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                anchors << format.anchorNames();
                if (!format.anchorHref().isEmpty())
                    links << format.anchorHref();
                if (format.isImageFormat())
                    images << format.toImageFormat().name();
            }
        }
        QVERIFY(std::any_of(headings.cbegin(), headings.cend(),
                            [](const QString& h) { return h.contains(QLatin1String("How to play")); }));
        QVERIFY(std::any_of(headings.cbegin(), headings.cend(), hasJapanese));

        // Every link inside the page leads to an anchor that exists.
        QVERIFY(links.size() >= 2);
        for (const QString& link : links) {
            QVERIFY2(link.startsWith(QLatin1Char('#')), qPrintable(link));
            QVERIFY2(anchors.contains(link.mid(1)), qPrintable(link));
        }

        // Every picture on the page is found next to it and is a card image.
        QVERIFY(!images.isEmpty());
        for (const QString& name : images) {
            const QVariant data = h.loadResource(QTextDocument::ImageResource, QUrl(name));
            QImage image;
            if (data.canConvert<QImage>())
                image = data.value<QImage>();
            if (image.isNull())
                image.loadFromData(data.toByteArray());
            QVERIFY2(!image.isNull(), qPrintable(name));
        }

        const QString text = doc->toPlainText();
        for (const char* phrase : {"Round:", "101", "11", "Ctrl+B", "computer vs computer", "Back Color", "Level check"})
            QVERIFY2(text.contains(QLatin1String(phrase)), phrase);
    }

    void helpOpensAtThePlayersLanguage()
    {
        for (const QLocale::Language language : {QLocale::English, QLocale::Japanese}) {
            Help_explain h{QLocale(language)};
            showAndWait(h);
            const QString top = h.cursorForPosition(QPoint(1, 1)).block().text().trimmed();
            QCOMPARE(top, language == QLocale::Japanese ? QStringLiteral("ヴェルの遊び方") : QStringLiteral("English | 日本語"));
        }
    }

    void helpWindowWithoutPage()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        const WorkingFolder inside(empty.path());
        QVERIFY(inside.moved);

        Help_explain h;
        h.show();
        QVERIFY(h.document()->isEmpty());
        QCOMPARE(h.windowTitle(), QStringLiteral("How to play vell"));
        QCOMPARE(h.minimumSize(), QSize(640, 480));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.cbegin(), windows.cend(),
                             [](const QWidget* w) { return qobject_cast<const QMessageBox*>(w); }));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
