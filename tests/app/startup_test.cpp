#include "app/startup.h"

#include "app/cube_form.h"
#include "app/splash_form.h"
#include "platform/ui/application.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "platform/ui/speed_button.h"
#include "setup/setup_form.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(StartUp, BuildsFormsHidesSplashRunsUntilMainFormCloses)
{
    TMessageBoxScript boxes;
    bool checked = false;
    bool aboutShown = false;
    // Start-up paints the splash by handling pending events, so wait for the message loop.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!Application->MainForm() || !Application->MainForm()->isVisible() || checked) return;
        poll.stop();
        checked = true;
        EXPECT_EQ(Application->Title(), "Z-Tarn");
        ASSERT_NE(CubeForm, nullptr);
        ASSERT_NE(SetupForm, nullptr);
        ASSERT_NE(SplashForm, nullptr);
        EXPECT_EQ(static_cast<TForm*>(CubeForm), Application->MainForm());
        EXPECT_TRUE(CubeForm->isVisible());
        EXPECT_FALSE(SetupForm->isVisible());
        EXPECT_FALSE(SplashForm->isVisible());
        EXPECT_TRUE(SplashForm->Status->text().isEmpty());
        EXPECT_EQ(SplashForm->ProductName->text(), "Z-Tarn");
        EXPECT_FALSE(SplashForm->ProgramIcon->pixmap().isNull());

        // The first key ends the seeding, during which the buttons are disabled.
        QTest::keyClick(CubeForm, Qt::Key_Space);
        EXPECT_TRUE(CubeForm->Playing);
        // "?" shows the splash again, modally, as the About box; a click closes it.
        QTimer::singleShot(0, [&] {
            aboutShown = SplashForm->isVisible() && SplashForm->Modal();
            QTest::mouseClick(SplashForm->ProductName, Qt::LeftButton);
        });
        CubeForm->sbAbout->click();
        EXPECT_FALSE(SplashForm->isVisible());
        CubeForm->Close();
    });
    poll.start(5);
    int argc = 1;
    char name[] = "ztarn";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(RunApplication(argc, argv), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(boxes.Shown().empty());
    // The application's forms are gone with it.
    EXPECT_EQ(CubeForm, nullptr);
    EXPECT_EQ(SetupForm, nullptr);
    EXPECT_EQ(SplashForm, nullptr);
}

TEST(StartUp, GuardDropsInvalidOpAndShowsOtherExceptions)
{
    TMessageBoxScript boxes;
    EXPECT_EQ(RunGuarded([] { throw EInvalidOp("Invalid floating point operation"); }), 0);
    EXPECT_TRUE(boxes.Shown().empty());

    EXPECT_EQ(RunGuarded([] { throw EConvertError("'abc' is not a valid integer value"); }), 0);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text, "'abc' is not a valid integer value");
    EXPECT_EQ(boxes.Shown()[0].Flags & 0xF0, MB_ICONSTOP);

    EXPECT_THROW(RunGuarded([] { throw std::runtime_error("not the class library's"); }), std::runtime_error);
}

TEST(StartUp, NeedsADisplay)
{
    std::string advice;
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::string saved[3];
    for (int i = 0; i < 3; ++i) {
        const char* v = std::getenv(names[i]);
        saved[i] = v ? v : "";
        unsetenv(names[i]);
    }
    EXPECT_FALSE(HasDisplay(advice));
    EXPECT_NE(advice.find("xvfb-run -a"), std::string::npos);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_TRUE(HasDisplay(advice));
    for (int i = 0; i < 3; ++i)
        if (!saved[i].empty()) setenv(names[i], saved[i].c_str(), 1);
        else unsetenv(names[i]);
}

}  // namespace
