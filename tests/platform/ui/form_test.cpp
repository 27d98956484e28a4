#include "platform/ui/form.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(Form, KeyPreviewSeesKeysOfFocusedControlOnceAndMaySwallowThem)
{
    TForm form;
    auto* edit = new QLineEdit(&form);
    form.KeyPreview = true;
    std::vector<int> keys;
    form.OnKeyDown = [&](QObject*, int& key, TShiftState shift) {
        keys.push_back(key);
        EXPECT_EQ(shift, (key == 83 || key == VK_CONTROL ? TShiftState{ssCtrl} : TShiftState{}));
        if (key == 'X') key = 0;
    };
    form.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_X);
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    // Unhandled by the edit, Ctrl+S travels up to the form; it is seen only once.
    EXPECT_EQ(keys, (std::vector<int>{'A', 'X', VK_CONTROL, 83}));
    EXPECT_EQ(edit->text(), "a") << "the swallowed key never reached the edit";
}

TEST(Form, CloseEndsModalShowingWithCancelAndHidesAModelessForm)
{
    TForm form;
    QTimer::singleShot(0, &form, &TForm::Close);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.isVisible());

    QTimer::singleShot(0, &form, [&] { form.SetModalResult(mrOk); });
    EXPECT_EQ(form.ShowModal(), mrOk);

    form.show();
    form.Close();
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
