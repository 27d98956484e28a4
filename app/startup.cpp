#include "app/startup.h"

#include "app/app_icon.h"
#include "app/cube_form.h"
#include "app/splash_form.h"
#include "platform/ui/application.h"
#include "platform/ui/exceptions.h"
#include "platform/ui/label.h"
#include "platform/ui/qt_application.h"
#include "setup/setup_form.h"

#include <QEventLoop>

#include <cstdlib>
#include <memory>

namespace {

bool EnvironmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool HasDisplay(std::string& advice)
{
    if (EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY") || EnvironmentSet("QT_QPA_PLATFORM"))
        return true;
    advice = "ztarn: no display found (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset); "
             "start it on a virtual one with: xvfb-run -a ./build/release/app/ztarn";
    return false;
}

void StartUp()
{
    SplashForm = new TSplashForm(nullptr);
    Application->Own(SplashForm);
    SplashForm->ProductName->setText(QStringLiteral("Z-Tarn"));
    SplashForm->Status->setText(QStringLiteral("Initializing..."));
    SplashForm->show();
    SplashForm->raise();
    // No message loop runs yet: paint now, and let no input through.
    SplashForm->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    Application->Initialize();
    Application->SetTitle(QStringLiteral("Z-Tarn"));
    Application->CreateForm(CubeForm);
    Application->CreateForm(SetupForm);

    SplashForm->Status->setText(QString());
    SplashForm->hide();
    SplashForm->Close();
    Application->Run();
}

int RunGuarded(const std::function<void()>& steps)
{
    try {
        steps();
    } catch (const Exception& e) {
        if (!ClassNameIs(e, "EInvalidOp")) Application->ShowException(e);
    }
    return 0;
}

int RunApplication(int& argc, char** argv)
{
    std::unique_ptr<QApplication> ownApplication;
    if (!qApp) ownApplication = std::make_unique<TQtApplication>(argc, argv);
    Application->SetIcon(MakeApplicationIcon());
    const int result = RunGuarded(StartUp);
    Application->OnIdle = {};
    Application->DestroyForms();
    return result;
}
