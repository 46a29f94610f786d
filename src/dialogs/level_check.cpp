// SPDX-License-Identifier: MIT
#include "level_check.h"

#include "core/player_name.h"
#include "core/settings.h"
#include "dialogs/name_fit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kDialogWidth = 340;
constexpr int kDialogHeight = 240;
constexpr int kLowestLevel = 1;
constexpr int kHighestLevel = 5;
constexpr int kRowSpacing = 2;
constexpr int kGroupMargin = 4;

// The name of each level, from level 1 up.
constexpr const char* kLevelNames[kHighestLevel] = {
    QT_TRANSLATE_NOOP("Level_Check", "Level:%1(Most easy)"),
    QT_TRANSLATE_NOOP("Level_Check", "Level:%1(Easy)"),
    QT_TRANSLATE_NOOP("Level_Check", "Level:%1(Normal)"),
    QT_TRANSLATE_NOOP("Level_Check", "Level:%1(Difficult)"),
    QT_TRANSLATE_NOOP("Level_Check", "Level:%1(Most difficult)"),
};

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* r = new QHBoxLayout;
    for (QWidget* w : widgets)
        r->addWidget(w);
    return r;
}

} // namespace

Level_Check::Level_Check(Settings& settings)
    : m_settings(settings)
{
    setWindowTitle(tr("Level check"));
    setFixedSize(kDialogWidth, kDialogHeight);

    Level_Label = new QLabel(tr("Level:%1(Easy)").arg(m_settings.Level), this);
    Level_Label->setObjectName(QStringLiteral("Level_Label"));
    Level_Label->setEnabled(false);

    Hello_Label = new QLabel(this);
    Hello_Label->setObjectName(QStringLiteral("Hello_Label"));
    // The name is shown as typed, never read as markup. A long one wraps to
    // the width the other controls give the dialog, rather than widening it.
    Hello_Label->setTextFormat(Qt::PlainText);
    Hello_Label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Hello_Label->setWordWrap(true);

    Level_change_CheckBox = new QCheckBox(tr("Change Strange Level"), this);
    Level_change_CheckBox->setObjectName(QStringLiteral("Level_change_CheckBox"));

    Level_Slider = new QSlider(Qt::Horizontal, this);
    Level_Slider->setObjectName(QStringLiteral("Level_Slider"));
    Level_Slider->setRange(kLowestLevel, kHighestLevel);
    Level_Slider->setSingleStep(1);
    Level_Slider->setValue(m_settings.Level);
    Level_Slider->setEnabled(false);

    Card_method_CheckBox = new QCheckBox(tr("Chenge Card deal method"), this);
    Card_method_CheckBox->setObjectName(QStringLiteral("Card_method_CheckBox"));

    Random_RadioButton = new QRadioButton(tr("Random(Default)"), this);
    Random_RadioButton->setObjectName(QStringLiteral("Random_RadioButton"));
    Random_RadioButton->setEnabled(false);
    Random_RadioButton->setChecked(true);

    Turn_up_RadioButton = new QRadioButton(tr("Turn up"), this);
    Turn_up_RadioButton->setObjectName(QStringLiteral("Turn_up_RadioButton"));
    Turn_up_RadioButton->setEnabled(false);

    Turn_down_RadioButton = new QRadioButton(tr("Turn down"), this);
    Turn_down_RadioButton->setObjectName(QStringLiteral("Turn_down_RadioButton"));
    Turn_down_RadioButton->setEnabled(false);

    Card_method_GroupBox = new QGroupBox(tr("Diamond card deal method"), this);
    Card_method_GroupBox->setObjectName(QStringLiteral("Card_method_GroupBox"));

    OK_button = new QPushButton(tr("OK"), this);
    OK_button->setObjectName(QStringLiteral("OK_button"));

    Cansel_button = new QPushButton(tr("Cansel"), this);
    Cansel_button->setObjectName(QStringLiteral("Cansel_button"));
    Cansel_button->setEnabled(false);

    layoutDialog();
    fitToContent();

    connect(Level_Slider, &QSlider::sliderPressed, this, &Level_Check::change_Level);
    connect(Level_Slider, &QSlider::sliderReleased, this, &Level_Check::change_Level);
    connect(Level_change_CheckBox, &QCheckBox::clicked, this, &Level_Check::On_change);
    connect(Card_method_CheckBox, &QCheckBox::clicked, this, &Level_Check::Change_Card_method);
    connect(OK_button, &QPushButton::clicked, this, &Level_Check::OK_button_clicked);
    connect(Cansel_button, &QPushButton::clicked, this, &Level_Check::Cansel_button_clicked);
}

void Level_Check::layoutDialog()
{
    // Rows sit closer than usual, so that every control has its full height
    // in the dialog's own size at the ordinary font. Sharing the group box
    // makes the three choices exclusive.
    auto* methods = new QVBoxLayout;
    methods->setSpacing(0);
    methods->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
    methods->addWidget(Random_RadioButton);
    methods->addWidget(Turn_up_RadioButton);
    methods->addWidget(Turn_down_RadioButton);
    Card_method_GroupBox->setLayout(methods);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK_button);
    buttons->addWidget(Cansel_button);

    auto* rows = new QVBoxLayout;
    rows->setSpacing(kRowSpacing);
    rows->addLayout(row({Hello_Label}));
    rows->addLayout(row({Level_change_CheckBox}));
    rows->addLayout(row({Level_Label}));
    rows->addLayout(row({Level_Slider}));
    rows->addLayout(row({Card_method_CheckBox}));
    rows->addLayout(row({Card_method_GroupBox}));
    rows->addLayout(buttons);
    rows->addStretch();
    setLayout(rows);
}

// The dialog keeps its size at the ordinary font. Larger fonts make it grow,
// never shrink, until every control has the room it asks for; the greeting
// then wraps onto as many lines as it needs. Only a name too long for half
// the screen is shortened, in the middle, so that the greeting around it
// stays whole.
void Level_Check::fitToContent()
{
    ensurePolished();
    QLayout* rows = layout();
    const int width = qMax(kDialogWidth, rows->totalSizeHint().width());
    const QMargins margins = rows->contentsMargins();
    const int room = width - margins.left() - margins.right();
    const QFontMetrics metrics = Hello_Label->fontMetrics();
    const int lines = qMax(1, screen()->availableGeometry().height() / 2 / metrics.lineSpacing());
    const QString name = playerDisplayName().value_or(QString());
    Hello_Label->setText(tr("Hello %1").arg(fittedName(name, metrics, room, lines)));
    Hello_Label->setMinimumHeight(Hello_Label->heightForWidth(room));
    // Measures afresh every row, the greeting's too, at the width it gets.
    rows->activate();
    const int height = rows->hasHeightForWidth() ? rows->totalHeightForWidth(width) : rows->totalSizeHint().height();
    setFixedSize(width, qMax(kDialogHeight, height));
}

void Level_Check::change_Level()
{
    const int level = Level_Slider->value();
    m_settings.Level = level;
    if (level < kLowestLevel || level > kHighestLevel)
        return;
    Level_Label->setText(tr(kLevelNames[level - kLowestLevel]).arg(level));
}

void Level_Check::On_change()
{
    refuseChange(Level_change_CheckBox);
}

void Level_Check::Change_Card_method()
{
    refuseChange(Card_method_CheckBox);
}

// Neither setting can be changed: say so, then take the tick back.
void Level_Check::refuseChange(QCheckBox* box)
{
    if (!box->isChecked())
        return;
    QMessageBox::information(this, tr("Message"), tr("This soft is free soft\nThere are not changing functions."),
                             QMessageBox::Ok, QMessageBox::NoButton);
    box->setChecked(false);
}

void Level_Check::OK_button_clicked()
{
    close();
}

void Level_Check::Cansel_button_clicked()
{
    close();
}

// Closing only hides the dialog: there is nothing to apply or discard.
void Level_Check::closeEvent(QCloseEvent* event)
{
    event->accept();
}
