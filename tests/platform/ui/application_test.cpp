#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class IdleTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    void TearDown() override { Application->OnIdle = {}; }
};

TEST_F(IdleTest, RunsRepeatedlyInsideAModalDialogWhileNotDone)
{
    QDialog dialog;
    int passes = 0;
    Application->OnIdle.Handler = [&](QObject* sender, bool& done) {
        EXPECT_EQ(sender, Application->Handle());
        if (++passes == 50) dialog.accept();
        done = false;
    };
    QTimer::singleShot(5000, &dialog, &QDialog::reject);  // a guard, never reached when idle works
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(passes, 50);
}

TEST_F(IdleTest, RunsInsideAModalFormAndAMessageBox)
{
    TForm form;
    int formPasses = 0;
    Application->OnIdle.Handler = [&](QObject*, bool& done) {
        if (++formPasses == 3) form.Close();
        done = false;
    };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(formPasses, 3);

    int boxPasses = 0;
    Application->OnIdle.Handler = [&](QObject*, bool& done) {
        if (++boxPasses == 3)
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::No)->click();
        done = false;
    };
    EXPECT_EQ(ShowMessageBox("text", "caption", MB_YESNO), IDNO);
    EXPECT_GE(boxPasses, 3);
}

TEST_F(IdleTest, DoneWaitsForTheNextMessage)
{
    int passes = 0;
    Application->OnIdle.Handler = [&](QObject*, bool&) { ++passes; };
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    // A handler re-run at once would have run thousands of times in 100 ms.
    EXPECT_GE(passes, 1);
    EXPECT_LT(passes, 50);
}

struct Owner {
    void Idle(QObject*, bool&) {}
    void Other(QObject*, bool&) {}
};

TEST(IdleEvent, BindingsCompareByObjectAndMethod)
{
    Owner a, b;
    EXPECT_EQ(TIdleEvent::Bind(&a, &Owner::Idle), TIdleEvent::Bind(&a, &Owner::Idle));
    EXPECT_FALSE(TIdleEvent::Bind(&a, &Owner::Idle) == TIdleEvent::Bind(&b, &Owner::Idle));
    EXPECT_FALSE(TIdleEvent::Bind(&a, &Owner::Idle) == TIdleEvent::Bind(&a, &Owner::Other));
    EXPECT_FALSE(TIdleEvent::Bind(&a, &Owner::Idle) == TIdleEvent{});
}

TEST(MessageBox, ScriptRecordsBoxesAndAnswers)
{
    TMessageBoxScript script;
    script.QueueAnswer(IDYES);
    EXPECT_EQ(Application->MessageBox("first", "Caption", MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    // Without a queued answer a box answers as if closed.
    EXPECT_EQ(Application->MessageBox("second", "Caption", MB_YESNO), IDNO);
    EXPECT_EQ(Application->MessageBox("third", "Caption", MB_OKCANCEL), IDCANCEL);
    Application->ShowException(EConvertError("'x' is not a valid integer value"));
    ASSERT_EQ(script.Shown().size(), 4u);
    EXPECT_EQ(script.Shown()[0].Flags, 0x34);
    EXPECT_EQ(script.Shown()[3].Text, "'x' is not a valid integer value");
    EXPECT_EQ(script.Shown()[3].Flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(script.Shown()[3].Caption, Application->Title());
}

TEST(MessageBox, RealBoxHasWarningIconYesDefaultAndReportsTheButton)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(ShowMessageBox("Report", "HRESULT Failure", MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_TRUE(defaultText.contains("Yes")) << defaultText.toStdString();
}

TEST(Exceptions, ClassNamesCompareWithoutCase)
{
    EXPECT_TRUE(ClassNameIs(EInvalidOp("x"), "einvalidop"));
    EXPECT_FALSE(ClassNameIs(EConvertError("x"), "EInvalidOp"));
    const Exception& base = EIniFileException("Unable to write to a.ini");
    EXPECT_STREQ(base.ClassName(), "EIniFileException");
    EXPECT_STREQ(base.what(), "Unable to write to a.ini");
}

}  // namespace
