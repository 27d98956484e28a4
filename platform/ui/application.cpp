#include "platform/ui/application.h"

#include "platform/sys/executable_path.h"
#include "platform/sys/screen_metrics.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileInfo>
#include <QScreen>

#include <algorithm>

namespace {
TApplication theApplication;
}

TApplication* Application = &theApplication;

TApplication::TApplication() = default;

TApplication::~TApplication() = default;

void TApplication::Initialize()
{
    if (FHandle || !qApp) return;
    FHandle = std::make_unique<QObject>();
    FHandle->setObjectName(QStringLiteral("Application"));
    if (auto* dispatcher = QAbstractEventDispatcher::instance(qApp->thread()))
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, FHandle.get(),
                         [this] { DoIdle(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, FHandle.get(),
                     [this](Qt::ApplicationState state) { FActive = state == Qt::ApplicationActive; });
    FActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    SetScreenSizeProvider([] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return ScreenSize{1024, 768};
        return ScreenSize{screen->geometry().width(), screen->geometry().height()};
    });
    // The hooks live as long as the Qt application; a later one may be initialised anew.
    QObject::connect(qApp, &QObject::destroyed, [this] { FHandle.reset(); });
    // The main form's closing ends the loop, not the last window's.
    qApp->setQuitOnLastWindowClosed(false);
}

QString TApplication::Title() const
{
    if (!FTitle.isNull()) return FTitle;
    return QFileInfo(QString::fromStdString(ExecutablePath())).completeBaseName();
}

void TApplication::SetTitle(const QString& title)
{
    FTitle = title;
    if (qApp) QApplication::setApplicationDisplayName(title);
}

void TApplication::Adopt(TForm* form, std::function<void()> clearReference, bool mayBeMain)
{
    FForms.push_back({form, std::move(clearReference)});
    if (mayBeMain && !FMainForm) FMainForm = form;
}

void TApplication::Run()
{
    if (!FMainForm || !qApp) return;
    FTerminated = false;
    FMainForm->show();
    if (!FTerminated) QApplication::exec();
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (qApp) QCoreApplication::quit();
}

void TApplication::DestroyForms()
{
    while (!FForms.empty()) {
        OwnedForm owned = std::move(FForms.back());
        FForms.pop_back();
        if (owned.Form == FMainForm) FMainForm = nullptr;
        delete owned.Form;
        owned.ClearReference();
    }
    FMainForm = nullptr;
}

void TApplication::DoIdle()
{
    if (FInIdle || !OnIdle) return;
    FInIdle = true;
    bool done = true;
    try {
        // A copy: the handler may replace or clear the event while it runs.
        const auto handler = OnIdle.Handler;
        handler(FHandle.get(), done);
    } catch (const Exception& e) {
        ShowException(e);
    }
    FInIdle = false;
    if (!done)
        if (auto* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

int TApplication::MessageBox(const QString& text, const QString& caption, int flags)
{
    return ShowMessageBox(text, caption, flags);
}

void TApplication::ShowException(const Exception& e)
{
    ShowMessageBox(e.Message(), Title(), MB_OK | MB_ICONSTOP);
}
