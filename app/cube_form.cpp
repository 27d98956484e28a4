#include "app/cube_form.h"

#include "app/splash_form.h"
#include "platform/ui/fonts.h"
#include "platform/ui/speed_button.h"

TCubeForm* CubeForm = nullptr;

TCubeForm::TCubeForm(QWidget* Owner) : TForm(Owner)
{
    setObjectName(QStringLiteral("CubeForm"));
    SetCaption(QStringLiteral("Z-Tarn"));
    SetFormSize(441, 317);
    SetScreenCenter(true);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    KeyPreview = true;

    sbAbout = new TSpeedButton(this);
    sbAbout->setObjectName(QStringLiteral("sbAbout"));
    sbAbout->SetCaption(QStringLiteral("?"));
    connect(sbAbout, &TSpeedButton::Click, this, &TCubeForm::sbAboutClick);
}

void TCubeForm::sbAboutClick(QObject*)
{
    if (SplashForm) SplashForm->ShowModal();
}
