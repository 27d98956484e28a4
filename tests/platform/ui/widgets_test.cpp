#include "platform/ui/align.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Align, StacksLikeAFormAndRealignsOnResize)
{
    QWidget form;
    form.resize(433, 290);
    auto* status = new TStatusBar(&form);  // bottom-aligned, 19 high
    auto* bottom = new TPanel(&form);
    bottom->resize(10, 35);
    SetAlign(bottom, TAlign::alBottom);
    auto* right = new TPanel(&form);
    right->resize(33, 10);
    SetAlign(right, TAlign::alRight);
    auto* view = new QWidget(&form);
    SetAlign(view, TAlign::alClient);
    view->resize(400, 236);
    auto* left = new QWidget(view);
    left->resize(200, 10);
    SetAlign(left, TAlign::alLeft);
    auto* splitter = new TPanel(view);
    splitter->resize(5, 10);
    SetAlign(splitter, TAlign::alLeft);
    auto* rest = new QWidget(view);
    SetAlign(rest, TAlign::alClient);

    EXPECT_EQ(status->geometry(), QRect(0, 271, 433, 19));
    EXPECT_EQ(bottom->geometry(), QRect(0, 236, 433, 35));
    EXPECT_EQ(right->geometry(), QRect(400, 0, 33, 236));
    EXPECT_EQ(view->geometry(), QRect(0, 0, 400, 236));
    EXPECT_EQ(splitter->geometry(), QRect(200, 0, 5, 236));
    EXPECT_EQ(rest->geometry(), QRect(205, 0, 195, 236));

    form.show();
    left->resize(120, left->height());  // a new width moves what is aligned after it
    EXPECT_EQ(splitter->geometry(), QRect(120, 0, 5, 236));
    EXPECT_EQ(rest->geometry(), QRect(125, 0, 275, 236));
    form.resize(333, 190);
    EXPECT_EQ(right->geometry(), QRect(300, 0, 33, 136));
    EXPECT_EQ(rest->geometry(), QRect(125, 0, 175, 136));
}

TEST(Align, ChildrenOfABevelledPanelSitInsideTheBevel)
{
    TPanel panel;
    panel.resize(204, 87);
    auto* label = new QWidget(&panel);
    label->resize(202, 13);
    SetAlign(label, TAlign::alBottom);
    EXPECT_EQ(label->geometry(), QRect(1, 73, 202, 13));
}

TEST(SpeedButton, GroupAndAllowAllUpRules)
{
    QWidget parent;
    auto* pause = new TSpeedButton(&parent);
    pause->SetGroupIndex(11);
    pause->SetAllowAllUp(true);
    pause->SetDown(true);
    QSignalSpy clicks(pause, &TSpeedButton::Click);
    pause->click();
    EXPECT_FALSE(pause->Down());
    pause->click();
    EXPECT_TRUE(pause->Down());
    EXPECT_EQ(clicks.count(), 2);

    auto* a = new TSpeedButton(&parent);
    auto* b = new TSpeedButton(&parent);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->click();
    b->click();
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    b->click();  // without all-up allowed the down button stays down
    EXPECT_TRUE(b->Down());
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(pause->Down()) << "another group is untouched";

    auto* plain = new TSpeedButton(&parent);
    plain->SetDown(true);
    plain->click();
    EXPECT_FALSE(plain->Down()) << "a button outside a group never stays down";
    EXPECT_EQ(plain->size(), QSize(25, 25));
}

TEST(SpeedButton, DisabledGlyphIsGreyAndHintIsTooltip)
{
    TSpeedButton button;
    QPixmap glyph(16, 16);
    glyph.fill(Qt::red);
    button.SetGlyph(glyph);
    button.SetHint("Home");
    const QImage grey = button.DisabledGlyph().toImage();
    ASSERT_EQ(grey.size(), QSize(16, 16));
    const QColor c = grey.pixelColor(8, 8);
    EXPECT_TRUE(c.red() == c.green() && c.green() == c.blue());
    EXPECT_EQ(button.toolTip(), "Home");
}

TEST(StatusBar, TextsReachTheAccessibilityInterface)
{
    QWidget form;
    form.resize(400, 100);
    auto* bar = new TStatusBar(&form);
    bar->AddPanel(TBevelCut::bvRaised, 30, "Step");
    const int position = bar->AddPanel(TBevelCut::bvLowered, 50);
    bar->SetPanelText(position, "12");
    bar->SetPanelText(99, "ignored");
    form.show();

    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(bar);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::StatusBar);
    ASSERT_EQ(access->childCount(), 2);
    EXPECT_EQ(access->child(0)->text(QAccessible::Name), "Step");
    EXPECT_EQ(access->child(1)->text(QAccessible::Name), "12");
    EXPECT_EQ(access->indexOfChild(access->child(1)), 1);

    bar->SetSimpleText("Seeding... press any key to stop");
    bar->SetSimplePanel(true);
    ASSERT_EQ(access->childCount(), 1);
    EXPECT_EQ(access->child(0)->text(QAccessible::Name), "Seeding... press any key to stop");
    EXPECT_EQ(access->text(QAccessible::Name), "Seeding... press any key to stop");
    EXPECT_EQ(bar->PanelText(1), "12") << "panel texts stay while the simple text shows";
}

TEST(Panel, CaptionIsAccessibleAndClickAndMouseUpFire)
{
    TPanel panel;
    panel.resize(100, 30);
    panel.SetCaption("Start New Game");
    panel.show();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&panel)->text(QAccessible::Name), "Start New Game");
    QSignalSpy clicks(&panel, &TPanel::Click);
    QSignalSpy ups(&panel, &TPanel::MouseUp);
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups[0][3].toInt(), 40);
    EXPECT_EQ(ups[0][4].toInt(), 10);
}

}  // namespace
