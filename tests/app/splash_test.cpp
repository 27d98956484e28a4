#include "app/splash_form.h"

#include "platform/ui/label.h"
#include "platform/ui/panel.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Each way of closing the splash: a click on one of its parts, or a key.
struct CloseAction {
    const char* Name;
    std::function<void(TSplashForm&)> Act;
};

void ClickOn(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3)); }

const CloseAction kActions[] = {
    {"panel", [](TSplashForm& f) { ClickOn(f.Panel1); }},
    {"icon", [](TSplashForm& f) { ClickOn(f.ProgramIcon); }},
    {"product name", [](TSplashForm& f) { ClickOn(f.ProductName); }},
    {"copyright", [](TSplashForm& f) { ClickOn(f.Copyright); }},
    {"comments", [](TSplashForm& f) { ClickOn(f.Comments); }},
    {"status", [](TSplashForm& f) { ClickOn(f.Status); }},
    {"shift alone", [](TSplashForm& f) { QTest::keyClick(&f, Qt::Key_Shift, Qt::ShiftModifier); }},
    {"ctrl alone", [](TSplashForm& f) { QTest::keyClick(&f, Qt::Key_Control, Qt::ControlModifier); }},
    {"F1", [](TSplashForm& f) { QTest::keyClick(&f, Qt::Key_F1); }},
};

TEST(Splash, NothingClosesItWhileInitializing)
{
    TSplashForm splash(nullptr);
    splash.Status->setText("Initializing...");
    splash.show();
    for (const auto& action : kActions) {
        action.Act(splash);
        EXPECT_TRUE(splash.isVisible()) << action.Name;
    }
}

TEST(Splash, AsAboutBoxAnyClickOrKeyClosesIt)
{
    TSplashForm splash(nullptr);
    ASSERT_TRUE(splash.Status->text().isEmpty());
    for (const auto& action : kActions) {
        bool acted = false;
        QTimer::singleShot(0, &splash, [&] {
            acted = true;
            action.Act(splash);
        });
        QTimer::singleShot(2000, &splash, [&] { splash.SetModalResult(mrOk); });  // guard
        EXPECT_EQ(splash.ShowModal(), mrCancel) << action.Name;
        EXPECT_TRUE(acted);
        EXPECT_FALSE(splash.isVisible()) << action.Name;
    }
}

TEST(Splash, LayoutMatchesTheForm)
{
    TSplashForm splash(nullptr);
    splash.show();
    EXPECT_EQ(splash.size(), QSize(204, 87));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.Panel1->geometry(), QRect(0, 0, 204, 87));
    EXPECT_EQ(splash.ProgramIcon->geometry(), QRect(11, 6, 32, 32));
    EXPECT_EQ(splash.ProductName->geometry(), QRect(64, 9, 129, 13));
    EXPECT_EQ(splash.Copyright->geometry(), QRect(1, 43, 202, 13));
    EXPECT_EQ(splash.Comments->geometry(), QRect(1, 56, 202, 17));
    EXPECT_EQ(splash.Status->geometry(), QRect(1, 73, 202, 13));
    EXPECT_EQ(splash.Status->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(splash.Status->palette().color(QPalette::Window), QColor(Qt::black));
}

}  // namespace
