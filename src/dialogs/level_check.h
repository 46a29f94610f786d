// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
struct Settings;

// The settings dialog: shows the computer's level and the way the prize
// diamonds are dealt, and greets the player by name. Both settings are fixed
// in this game, so their controls stay disabled, and the two check boxes that
// ask for a change only say so and clear themselves. The main window keeps one
// instance for the whole run and shows it modelessly; the level is the one in
// the run's settings. It has a size of its own at the ordinary font and grows
// with larger fonts.
class Level_Check : public QDialog
{
    Q_OBJECT

public:
    // settings outlives the dialog.
    explicit Level_Check(Settings& settings);

public slots:
    void change_Level();
    void On_change();
    void Change_Card_method();
    void OK_button_clicked();
    void Cansel_button_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void layoutDialog();
    void refuseChange(QCheckBox* box);
    void fitToContent();

    Settings& m_settings;

    // Each one carries its member name as its object name, which is how
    // anything outside the dialog finds it.
    QLabel* Level_Label = nullptr;
    QLabel* Hello_Label = nullptr;
    QCheckBox* Level_change_CheckBox = nullptr;
    QSlider* Level_Slider = nullptr;
    QCheckBox* Card_method_CheckBox = nullptr;
    QRadioButton* Random_RadioButton = nullptr;
    QRadioButton* Turn_up_RadioButton = nullptr;
    QRadioButton* Turn_down_RadioButton = nullptr;
    QGroupBox* Card_method_GroupBox = nullptr;
    QPushButton* OK_button = nullptr;
    QPushButton* Cansel_button = nullptr;
};
