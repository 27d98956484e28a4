#pragma once
// The game's main form: a 3D view with two viewports on the cube scene, the nine turn buttons,
// the move history buttons, setup, pause and About, "Start New Game" and the status bar with the
// step counters and the play clock. Its member functions are split by role:
//   cube_form.cpp         construction, splitter, resize, destruction, About and Setup
//   cube_form_layout.cpp  the controls and their pictures
//   layer_turns.cpp       quarter turns of the cube's layers
//   move_history.cpp      the record of moves and stepping through it
//   game_loop.cpp         new game, seeding, the idle handler and the clock
//   keyboard.cpp          the form's key handler

#include "platform/ui/form.h"

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

class QTimer;
class TD3dView;
class TPanel;
class TSpeedButton;
class TStatusBar;
class TVport;
struct IDirect3DRMFrame;

// The clock as the game reads it: the current date and time as days (the fraction is the
// time of day).
using TDateTimeClock = std::function<double()>;

class TCubeForm : public TForm {
    Q_OBJECT
public:
    explicit TCubeForm(QWidget* Owner);
    // Loads the scene from the resource named `sceneResource` (of type "X") instead of the
    // cube scene; for tests of scenes that lack a frame the game needs.
    TCubeForm(QWidget* Owner, const char* sceneResource);
    ~TCubeForm() override;

    // Controls.
    TStatusBar* StatBar = nullptr;
    TPanel* paBot = nullptr;
    TPanel* paPlay = nullptr;
    TSpeedButton* sbHome = nullptr;
    TSpeedButton* sbBackward = nullptr;
    TSpeedButton* sbFarward = nullptr;
    TSpeedButton* sbEnd = nullptr;
    TPanel* paSetup = nullptr;
    TSpeedButton* sbSetup = nullptr;
    TSpeedButton* sbPause = nullptr;
    TSpeedButton* sbAbout = nullptr;
    TPanel* paStartNew = nullptr;
    TPanel* paRight = nullptr;
    TSpeedButton* sb1 = nullptr;
    TSpeedButton* sb2 = nullptr;
    TSpeedButton* sb3 = nullptr;
    TSpeedButton* sb4 = nullptr;
    TSpeedButton* sb5 = nullptr;
    TSpeedButton* sb6 = nullptr;
    TSpeedButton* sb7 = nullptr;
    TSpeedButton* sb8 = nullptr;
    TSpeedButton* sb9 = nullptr;
    QTimer* Timer = nullptr;

    // The 3D part, owned by the form (the view) and by the view (ports and splitter).
    TD3dView* D3dView = nullptr;
    TVport* LeftPort = nullptr;
    TVport* RightPort = nullptr;
    TPanel* Splitter = nullptr;  // 5-pixel bar between the viewports

    // Game state.
    std::vector<std::intptr_t> Moves;  // recorded turn numbers 1..9, oldest first
    bool Turning = false;              // a turn is being animated
    bool Playing = false;              // false while the cube is being seeded
    int Steps = 5;                     // rendered frames per quarter turn
    int TurnDirection = 1;             // +1, or -1 while a move is undone
    int Position = 0;                  // leading entries of Moves applied to the cube
    int StepsDone = 0;                 // moves recorded in this game
    IDirect3DRMFrame* ICubeCenter = nullptr;   // "ZTarnCenter", parent of the cubies; one reference
    IDirect3DRMFrame* IHandleFrame = nullptr;  // carries the layer being turned; one reference
    double PlayTime = 0.0;      // accumulated play time, days
    double LastMoveTime = 0.0;  // clock reading at the last recorded move, days
    double LastIdleTime = 0.0;  // clock reading at the previous idle pass during play, days

    // The clock read by the game loop, the move record and the seeding; the real local clock
    // unless a test replaces it.
    TDateTimeClock Now;

    // Construction, layout, destruction (cube_form.cpp).
    void FormResize(QObject* Sender);
    void SplitterMouseUp(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void FormDestroy(QObject* Sender);
    void sbAboutClick(QObject* Sender);
    void sbSetupClick(QObject* Sender);

    // Layer turns (layer_turns.cpp).
    bool SelectSlab(int turn);
    void ReleaseSlab();
    void AnimateTurn();
    void PlayMove(std::intptr_t turn);
    void sb1Click(QObject* Sender);
    void sb2Click(QObject* Sender);
    void sb3Click(QObject* Sender);
    void sb4Click(QObject* Sender);
    void sb5Click(QObject* Sender);
    void sb6Click(QObject* Sender);
    void sb7Click(QObject* Sender);
    void sb8Click(QObject* Sender);
    void sb9Click(QObject* Sender);
    // The turn buttons in turn order: TurnButton(1) is sb1; null for any other number.
    TSpeedButton* TurnButton(int turn) const;

    // Move history (move_history.cpp).
    void RecordMove(int turn);
    // Enables Home and Back One when there is a move to undo, Forward One and End when there is
    // one to replay. Run after a recorded move and a new game; the steps set their own states.
    void UpdateHistoryButtons();
    void sbBackwardClick(QObject* Sender);
    void sbFarwardClick(QObject* Sender);
    void sbHomeClick(QObject* Sender);
    void sbEndClick(QObject* Sender);

    // Game loop (game_loop.cpp).
    void NewGame();
    void paStartNewClick(QObject* Sender);
    void GameIdle(QObject* Sender, bool& Done);
    void SeedStep();
    void TimerTick(QObject* Sender);

    // Keyboard (keyboard.cpp).
    void FormKeyDown(QObject* Sender, int& Key, TShiftState Shift);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();                    // cube_form_layout.cpp
    void Build3D(const char* sceneResource);  // the 3D steps of the constructor
    bool LoadScene(const char* sceneResource);
    void Turn(int turn, QObject* Sender);     // one quarter turn by its handler
    void SetLeftPortWidth(int width);
    std::mt19937 FSeedGenerator;  // reseeded from the clock before every draw
};

extern TCubeForm* CubeForm;
