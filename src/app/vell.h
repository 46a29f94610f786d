// SPDX-License-Identifier: MIT
#pragma once

#include "core/match.h"
#include "core/step_clock.h"

#include <QMainWindow>
#include <QString>

#include <array>

class Announcer;
class Help_explain;
class Level_Check;
class QAction;
class QLabel;
class QMenu;
class QPixmap;
class QPushButton;
class RoundSound;
class TimeSource;

// The card table: the view of a match. The window owns every widget of the
// table and runs a match as a chain of timed steps, each one slot that asks
// the match model (core/match.h) what happens, shows it, and arms the next
// step on the step clock (core/step_clock.h). Nothing of the match is ever
// read back from a widget.
class Vell : public QMainWindow
{
    Q_OBJECT

public:
    Vell();
    // Runs the window's steps on the given time source, which outlives it;
    // without one, on precise timers.
    explicit Vell(TimeSource* time);
    ~Vell() override;

    // The match shown, and the clock its steps run on.
    Match& match() { return m_match; }
    const Match& match() const { return m_match; }
    StepClock& stepClock() { return m_steps; }

    using LabelRow = std::array<QLabel*, rules::kCards>;

    Level_Check* Level_dialog = nullptr;
    Help_explain* Help_window = nullptr;
    QLabel* Score_Label = nullptr;
    LabelRow CPU_Label_card{};
    LabelRow CPU_Get_Label_card{};
    QLabel* Message_Label = nullptr;
    QLabel* Result_Label1 = nullptr;
    QLabel* Result_Label2 = nullptr;
    QLabel* Daiya_Label_back = nullptr;
    QLabel* Daiya_Label_open = nullptr;
    QLabel* CPU_Label_open = nullptr;
    QLabel* User_Label_open = nullptr;
    LabelRow User_Get_Label_card{};
    std::array<QPushButton*, rules::kCards> Push_button{};
    LabelRow User_Label_card{};

    QAction* Human_vs_Computer_Action = nullptr;
    QAction* Close_Action = nullptr;
    QMenu* Game_Menu = nullptr;
    QMenu* Free_Play_Menu = nullptr;
    QAction* Computer_vs_Computer_Action = nullptr;
    QMenu* Help_Menu = nullptr;
    QMenu* Options_Menu = nullptr;
    QMenu* Config_Menu = nullptr;
    QMenu* Back_Color_Menu = nullptr;
    QMenu* Level_Menu = nullptr;
    QAction* Level_check_Action = nullptr;
    QAction* Back_color_green_Action = nullptr;
    QAction* Back_color_white_Action = nullptr;
    QAction* Back_color_red_Action = nullptr;
    QAction* Back_color_blue_Action = nullptr;
    QAction* Back_color_cyan_Action = nullptr;
    QAction* Back_color_magenta_Action = nullptr;
    QAction* Back_color_yellow_Action = nullptr;
    QAction* Back_color_gray_Action = nullptr;
    QAction* Back_color_lightGray_Action = nullptr;
    QMenu* Play_Menu = nullptr;
    QAction* Help_Action = nullptr;

    // Steps armed and not yet run; 0 when no chain is under way.
    int pendingSteps() const { return m_steps.pending(); }

    // Card faces on the table. Each shows, turns or clears one place and
    // keeps its accessible name in step with what it shows.
    void card_daiya_show(int v);
    void card_daiya_put(QLabel* label, int v);
    void card_spade_show(int v);
    void card_user_show(int v);
    void card_daiya_open();
    void card_spade_open();
    void Draw_CPU_Card(int i);
    void Return_CPU_Card(int i);
    void Clear_User_Card(int v);
    void Return_User_Card(int v);
    void Button_setEnabled(QPushButton* b, bool on);
    void All_buttons_disable();
    void All_buttons_enable();
    void Push_button_setEnabled(int v, bool on);
    void Refresh_buttons();

    void Round_start(int round);
    void Judge_round(int x, int y);
    void Judge_round_auto(int x, int y);
    void recount_input();

public slots:
    void Beginer_start();
    void Game_close();
    void Level_Easy_selected();
    void Level_difficult_selected();
    void Watching_mode();
    void Option_Back_color_green_selected();
    void Option_Back_color_white_selected();
    void Option_Back_color_red_selected();
    void Option_Back_color_blue_selected();
    void Option_Back_color_cyan_selected();
    void Option_Back_color_magenta_selected();
    void Option_Back_color_yellow_selected();
    void Option_Back_color_gray_selected();
    void Option_Back_color_lightGray_selected();
    void tie_no_count_timer();
    void tie_no_count_timer2();
    void tie_no_count_timer3();
    void Start_game_timer();
    void Start_game_timer2();
    void Start_game_timer3();
    void Push_button_same(int k);
    // The click on the button of club K.
    void Push_button_clicked(int K);
    void Open_card_timer();
    void Open_card_timer2();
    void Open_card_timer3();
    void Open_card_timer4();
    void Open_card_timer5();
    void Get_Card_Player(int v);
    void Get_Card_CPU(int v);
    void Change_Back_Color(int n);
    void Level_check_change();
    void watchmode_timer();
    void watchmode_timer2();
    void watchmode_timer3();
    void watchmode_timer4();
    void watchmode_timer5();
    void watchmode_timer6();
    void AutoPlay(int a, int b);
    void card_daiya_open_auto();
    void Open_show_result_timer();
    void Return_First_Screen_timer();
    void first_screen();
    void initiallise_get_card_player();
    void initiallise_get_card_cpu();
    void initiallise_cpu_card();
    void initiallise_player_card();
    void End_game_auto_timer();
    void Hello_Message();
    void Bye_Message();
    void Help_Show();

protected slots:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Step = void (Vell::*)();

    void showGameIcon();
    void buildTable();
    void layoutTable();
    void createActions();
    void createMenus();
    void connectColourActions();
    void createCardKeys();
    void selectBackColor(int code);
    // Black or white for the texts on the table, whichever reads better on
    // its colour.
    void applyTableTextColour();

    void showCard(QLabel* label, rules::Suit suit, int v);
    QPixmap cardBack() const;
    void showCardBack(QLabel* label, const QPixmap& back);
    void clearCard(QLabel* label);
    void showMessage(const QString& text);
    void showScoreLine(int round);
    // Shows a judged round: the verdict, and the prize in the winner's row.
    void showJudgement(const Match::Judgement& judgement);
    void leaveLastPrizeUnawarded();
    void playRoundSound(int round);
    // The match commands as the match's phase has them: enabled only while
    // no match runs, the running kind checked.
    void showMatchCommands();
    // Tells a screen reader what just happened on the table.
    void announce(const QString& text);
    // The prize of the round is up and the player may play: said, and the
    // keyboard focus on the first card that can be played.
    void offerPrize();

    // Arms the next step of a chain, ms milliseconds (times the time scale)
    // after the step that arms it was due.
    void after(int ms, Step step);
    // Lets go of every pending step and leaves an idle table.
    void abandonMatch();

    Match m_match;
    StepClock m_steps;
    // Its thread starts with the first sound: a window that plays no match
    // starts none.
    RoundSound* m_roundSound = nullptr;
    Announcer* m_announcer = nullptr;
    bool m_painted = false;
};
