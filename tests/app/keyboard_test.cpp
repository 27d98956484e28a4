// The game form's keys, sent as Qt key events through the form's key preview.
#include "game_form_fixture.h"

#include "app/splash_form.h"
#include "platform/ui/label.h"
#include "platform/ui/speed_button.h"
#include "setup/setup_form.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {

void Press(QWidget* form, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
    QCoreApplication::sendEvent(form, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers);
    QCoreApplication::sendEvent(form, &release);
}

// The modal forms the keys open: each records whether it was shown modally, then closes.
class ModalForms : public GameFormTest {
protected:
    void SetUp() override
    {
        GameFormTest::SetUp();
        SplashForm = new TSplashForm(nullptr);
        SplashForm->Status->setText(QString());
        SetupForm = new TSetupForm(nullptr);
    }
    void TearDown() override
    {
        delete SplashForm;
        SplashForm = nullptr;
        delete SetupForm;
        SetupForm = nullptr;
        GameFormTest::TearDown();
    }
    // Presses the key; true when `form` was shown modally meanwhile (it is closed at once).
    bool OpensModally(TForm* form, int qtKey, Qt::KeyboardModifiers modifiers)
    {
        bool shown = false;
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (form->Modal()) {
                shown = true;
                form->Close();
            }
        });
        closer.start();
        Press(Form.get(), qtKey, modifiers);
        QCoreApplication::processEvents();
        return shown;
    }
};

struct KeyCase {
    int QtKey;
    Qt::KeyboardModifiers Modifiers;
    std::vector<std::intptr_t> Moves;  // after the key, from the moves {1, 4} at position 1
    int Position;
    const char* What;
};

using KeyTable = GameFormTest;

TEST_F(KeyTable, KeysDuringPlayTurnLayersAndStepThroughTheMoves)
{
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const KeyCase cases[] = {
        // Num Lock on: the keypad's digits turn layers, recorded like a click.
        {Qt::Key_1, pad, {1, 1}, 2, "keypad 1"},  {Qt::Key_2, pad, {1, 2}, 2, "keypad 2"},
        {Qt::Key_3, pad, {1, 3}, 2, "keypad 3"},  {Qt::Key_4, pad, {1, 4}, 2, "keypad 4"},
        {Qt::Key_5, pad, {1, 5}, 2, "keypad 5"},  {Qt::Key_6, pad, {1, 6}, 2, "keypad 6"},
        {Qt::Key_7, pad, {1, 7}, 2, "keypad 7"},  {Qt::Key_8, pad, {1, 8}, 2, "keypad 8"},
        {Qt::Key_9, pad, {1, 9}, 2, "keypad 9"},
        // Num Lock off: 7, 4, 6 and 1 step through the history; 2, 3, 5, 8, 9 do nothing.
        {Qt::Key_Home, pad, {1, 4}, 0, "keypad 7 without Num Lock"},
        {Qt::Key_Left, pad, {1, 4}, 0, "keypad 4 without Num Lock"},
        {Qt::Key_Right, pad, {1, 4}, 2, "keypad 6 without Num Lock"},
        {Qt::Key_End, pad, {1, 4}, 2, "keypad 1 without Num Lock"},
        {Qt::Key_Down, pad, {1, 4}, 1, "keypad 2 without Num Lock"},
        {Qt::Key_PageDown, pad, {1, 4}, 1, "keypad 3 without Num Lock"},
        {Qt::Key_Clear, pad, {1, 4}, 1, "keypad 5 without Num Lock"},
        {Qt::Key_Up, pad, {1, 4}, 1, "keypad 8 without Num Lock"},
        {Qt::Key_PageUp, pad, {1, 4}, 1, "keypad 9 without Num Lock"},
        // The main keys.
        {Qt::Key_Home, Qt::NoModifier, {1, 4}, 0, "Home"},
        {Qt::Key_Left, Qt::NoModifier, {1, 4}, 0, "Left"},
        {Qt::Key_Right, Qt::NoModifier, {1, 4}, 2, "Right"},
        {Qt::Key_End, Qt::NoModifier, {1, 4}, 2, "End"},
        {Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier, {1, 4}, 0, "Left with shifts"},
        {Qt::Key_1, Qt::NoModifier, {1, 4}, 1, "digit 1 of the main keys"},
        {Qt::Key_S, Qt::NoModifier, {1, 4}, 1, "S without Ctrl"},
        {Qt::Key_Escape, Qt::NoModifier, {1, 4}, 1, "Escape"},
    };
    StartPlay();
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.What);
        Form->Moves = {1, 4};
        Form->Position = 1;
        const TCubiePlaces before = CubiePlaces(*Form);
        Press(Form.get(), c.QtKey, c.Modifiers);
        EXPECT_EQ(Form->Moves, c.Moves);
        EXPECT_EQ(Form->Position, c.Position);
        if (c.Position == 1) ExpectSamePlaces(before, CubiePlaces(*Form));
    }
}

TEST_F(KeyTable, PauseKeyPutsPauseDownAndKeepsItDown)
{
    StartPlay();
    Form->sbPause->SetDown(false);
    Press(Form.get(), Qt::Key_Pause);
    EXPECT_TRUE(Form->sbPause->Down());
    Press(Form.get(), Qt::Key_Pause);
    EXPECT_TRUE(Form->sbPause->Down());
}

TEST_F(KeyTable, TheFirstKeyOnlyStopsTheSeeding)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    Press(Form.get(), Qt::Key_1, Qt::KeypadModifier);
    EXPECT_TRUE(Form->Playing);
    EXPECT_TRUE(Form->Moves.empty());
    ExpectSamePlaces(start, CubiePlaces(*Form));
}

TEST_F(ModalForms, F1ShowsTheAboutBoxAndCtrlSOrCtrlF4TheOptionsDialog)
{
    StartPlay();
    EXPECT_TRUE(OpensModally(SplashForm, Qt::Key_F1, Qt::NoModifier));
    EXPECT_TRUE(OpensModally(SetupForm, Qt::Key_S, Qt::ControlModifier));
    EXPECT_EQ(SetupForm->View, Form->D3dView);
    EXPECT_TRUE(OpensModally(SetupForm, Qt::Key_F4, Qt::ControlModifier));
    EXPECT_FALSE(OpensModally(SetupForm, Qt::Key_F4, Qt::NoModifier));
    EXPECT_FALSE(OpensModally(SetupForm, Qt::Key_S, Qt::ShiftModifier));
}

TEST_F(ModalForms, DuringSeedingF1AndCtrlSOpenNothing)
{
    EXPECT_FALSE(OpensModally(SplashForm, Qt::Key_F1, Qt::NoModifier));
    EXPECT_TRUE(Form->Playing);
    Form->NewGame();
    EXPECT_FALSE(OpensModally(SetupForm, Qt::Key_S, Qt::ControlModifier));
    EXPECT_TRUE(Form->Playing);
    Form->NewGame();
    Press(Form.get(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(Form->Playing) << "a lone Ctrl ends the seeding too";
}

TEST_F(ModalForms, TheAboutButtonAndTheSetupButtonShowTheirForms)
{
    StartPlay();
    bool about = false;
    QTimer::singleShot(0, [&] {
        about = SplashForm->Modal();
        SplashForm->Close();
    });
    Form->sbAbout->click();
    EXPECT_TRUE(about);
    bool setup = false;
    QTimer::singleShot(0, [&] {
        setup = SetupForm->Modal();
        SetupForm->Close();
    });
    Form->sbSetup->click();
    EXPECT_TRUE(setup);
}

}  // namespace
