// Bindings and the routing of key and mouse events: exact shift states, every binding tried,
// one time step rendered on a match unless the view's own idle handler runs, and mouse events
// over a viewport control going to the control only.

#include "view_fixture.h"

#include <QTest>

#include <vector>

namespace {

// A binding that records, in its own list, which bindings ran.
struct RecordingShortcut : TViewShortcut {
    int Id = 0;
    std::vector<int>* Log = nullptr;

    RecordingShortcut(std::uint32_t msg, TShiftState shift, std::uint16_t key, int id, std::vector<int>* log)
    {
        Msg = msg;
        Shift = shift;
        Key = key;
        Id = id;
        Log = log;
        Callback = [](TViewShortcut* s) {
            auto* self = static_cast<RecordingShortcut*>(s);
            self->Log->push_back(self->Id);
        };
    }
};

TMessage Message(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam = 0) { return {msg, wParam, lParam, 0}; }

TEST(MatchShortcut, ComparesMessageKeyAndTheWholeShiftState)
{
    struct Case {
        const char* What;
        TViewShortcut Binding;
        TMessage Msg;
        Qt::KeyboardModifiers Keyboard;
        bool Matches;
    };
    const auto binding = [](std::uint32_t msg, TShiftState shift, std::uint16_t key = 0) {
        TViewShortcut s;
        s.Msg = msg;
        s.Shift = shift;
        s.Key = key;
        return s;
    };
    const std::vector<Case> cases = {
        {"F2 alone", binding(WM_KEYDOWN, {}, VK_F2), Message(WM_KEYDOWN, VK_F2), Qt::NoModifier, true},
        {"Shift+F2", binding(WM_KEYDOWN, {}, VK_F2), Message(WM_KEYDOWN, VK_F2), Qt::ShiftModifier, false},
        {"other key", binding(WM_KEYDOWN, {}, VK_F2), Message(WM_KEYDOWN, VK_F1), Qt::NoModifier, false},
        {"key up", binding(WM_KEYDOWN, {}, VK_F2), Message(WM_KEYUP, VK_F2), Qt::NoModifier, false},
        {"Ctrl vs Ctrl+Shift", binding(WM_KEYDOWN, {ssCtrl}, VK_F2), Message(WM_KEYDOWN, VK_F2),
         Qt::ControlModifier | Qt::ShiftModifier, false},
        {"Alt from lParam", binding(WM_KEYDOWN, {ssAlt}, VK_F2),
         Message(WM_KEYDOWN, VK_F2, static_cast<std::int32_t>(KF_ALTDOWN_LPARAM)), Qt::NoModifier, true},
        {"Alt key state is not read for keys", binding(WM_KEYDOWN, {ssAlt}, VK_F2), Message(WM_KEYDOWN, VK_F2),
         Qt::AltModifier, false},
        {"high word of wParam ignored", binding(WM_KEYUP, {}, VK_F2), Message(WM_KEYUP, 0x10000u | VK_F2),
         Qt::NoModifier, true},
        {"left drag", binding(WM_MOUSEMOVE, {ssLeft}), Message(WM_MOUSEMOVE, MK_LBUTTON), Qt::NoModifier, true},
        {"mouse key ignored", binding(WM_MOUSEMOVE, {ssLeft}, VK_F2), Message(WM_MOUSEMOVE, MK_LBUTTON),
         Qt::NoModifier, true},
        {"Ctrl+right down", binding(WM_RBUTTONDOWN, {ssCtrl, ssRight}),
         Message(WM_RBUTTONDOWN, MK_CONTROL | MK_RBUTTON), Qt::ControlModifier, true},
        {"Shift from wParam, not keyboard", binding(WM_LBUTTONDOWN, {ssLeft}), Message(WM_LBUTTONDOWN, MK_LBUTTON),
         Qt::ShiftModifier, true},
        {"Alt from keyboard for mouse", binding(WM_LBUTTONDOWN, {ssLeft}), Message(WM_LBUTTONDOWN, MK_LBUTTON),
         Qt::AltModifier, false},
        {"double-click bit never matches", binding(WM_LBUTTONDBLCLK, {ssLeft, ssDouble}),
         Message(WM_LBUTTONDBLCLK, MK_LBUTTON), Qt::NoModifier, false},
    };
    for (Case c : cases) {
        int calls = 0;
        static int* counter = nullptr;
        counter = &calls;
        c.Binding.Callback = [](TViewShortcut*) { ++*counter; };
        SetMessageKeyState(c.Keyboard);
        EXPECT_EQ(MatchShortcut(&c.Binding, &c.Msg), c.Matches) << c.What;
        EXPECT_EQ(calls, c.Matches ? 1 : 0) << c.What;
        const bool isMouse = c.Msg.Msg != WM_KEYDOWN && c.Msg.Msg != WM_KEYUP;
        if (isMouse && c.Matches) {
            EXPECT_EQ(c.Binding.Message.WParam, c.Msg.WParam) << c.What;
        } else {
            EXPECT_EQ(c.Binding.Message.Msg, 0u) << c.What;
        }
    }
    SetMessageKeyState(Qt::NoModifier);
    TViewShortcut nothing;
    EXPECT_FALSE(MatchShortcut(nullptr, &cases[0].Msg));
    EXPECT_FALSE(MatchShortcut(&nothing, nullptr));
}

using BindingTest = ViewFixture;

TEST_F(BindingTest, EveryMatchingBindingRunsInListOrderAndOneStepIsRendered)
{
    std::vector<int> log;
    RecordingShortcut first(WM_KEYDOWN, {}, VK_F2, 1, &log);
    RecordingShortcut shifted(WM_KEYDOWN, {ssShift}, VK_F2, 2, &log);
    RecordingShortcut second(WM_KEYDOWN, {}, VK_F2, 3, &log);
    View->Shortcuts = {&first, nullptr, &shifted, &second};
    int renders = 0;
    View->SetOnRedraw([&](QObject*) { ++renders; });

    QTest::keyClick(View.get(), Qt::Key_F2);
    EXPECT_EQ(log, (std::vector<int>{1, 3}));
    EXPECT_EQ(renders, 1);

    log.clear();
    QTest::keyClick(View.get(), Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(log, (std::vector<int>{2}));
    EXPECT_EQ(renders, 2);

    // With the view's own idle handler installed, the idle loop renders instead.
    Application->OnIdle = TIdleEvent::Bind(View.get(), &TD3dView::AppIdle);
    log.clear();
    QTest::keyClick(View.get(), Qt::Key_F2);
    EXPECT_EQ(log, (std::vector<int>{1, 3}));
    EXPECT_EQ(renders, 2);
}

TEST_F(BindingTest, MouseOverAViewportControlGoesToTheControlNeverToTheBindings)
{
    std::vector<int> log;
    RecordingShortcut press(WM_LBUTTONDOWN, {ssLeft}, 0, 1, &log);
    View->Shortcuts = {&press};
    int controlDowns = 0;
    QObject::connect(Left, &TVport::MouseDown, [&](QObject* sender, Qt::MouseButton, TShiftState shift, int x, int y) {
        EXPECT_EQ(sender, Left);
        EXPECT_EQ(shift, (TShiftState{ssLeft}));
        EXPECT_EQ(QPoint(x, y), QPoint(10, 20));
        ++controlDowns;
    });

    QTest::mousePress(Left, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseRelease(Left, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    EXPECT_EQ(controlDowns, 1);
    EXPECT_TRUE(log.empty());

    // A bare part of the view: the binding gets the message with the view's coordinates.
    Left->hide();
    Right->hide();
    QTest::mousePress(View.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mouseRelease(View.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_EQ(log, (std::vector<int>{1}));
    EXPECT_EQ(press.Message.Msg, WM_LBUTTONDOWN);
    EXPECT_EQ(press.Message.WParam, MK_LBUTTON);
    EXPECT_EQ(press.Message.LParam, (40 << 16) | 30);
}

}  // namespace
