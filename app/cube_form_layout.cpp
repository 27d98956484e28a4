// The game form's controls: placement, hints, pictures and events.
#include "app/cube_form.h"

#include "app/glyphs.h"
#include "platform/ui/align.h"
#include "platform/ui/fonts.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

#include <QTimer>

namespace {

TPanel* MakePanel(QWidget* parent, const char* name, TAlign align, int width, int height)
{
    auto* panel = new TPanel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->resize(width, height);
    SetAlign(panel, align);
    return panel;
}

TSpeedButton* MakeButton(QWidget* parent, const char* name, int left, int top, const QString& hint,
                         const QPixmap& glyph)
{
    auto* button = new TSpeedButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, 25, 25);
    button->SetHint(hint);
    // A picture alone says nothing to a screen reader: the hint names the button.
    if (!hint.isEmpty()) button->setAccessibleName(hint);
    if (!glyph.isNull()) button->SetGlyph(glyph, MakeDisabledGlyph(glyph));
    return button;
}

}  // namespace

void TCubeForm::CreateControls()
{
    // Bottom-aligned controls stack upwards in the order they are made: the status bar lowest.
    StatBar = new TStatusBar(this);
    StatBar->setObjectName(QStringLiteral("StatBar"));
    StatBar->resize(width(), 19);
    SetAlign(StatBar, TAlign::alBottom);
    StatBar->AddPanel(TBevelCut::bvRaised, 30, QStringLiteral("Step"));
    StatBar->AddPanel(TBevelCut::bvLowered, 50);
    StatBar->AddPanel(TBevelCut::bvRaised, 65, QStringLiteral("Steps Done"));
    StatBar->AddPanel(TBevelCut::bvLowered, 50);
    StatBar->AddPanel(TBevelCut::bvRaised, 35, QStringLiteral("Time"));
    StatBar->AddPanel(TBevelCut::bvLowered, 70);
    StatBar->AddPanel(TBevelCut::bvRaised, 50);
    StatBar->SetSimplePanel(false);

    paBot = MakePanel(this, "paBot", TAlign::alBottom, width(), 35);

    // Right-aligned panels stack leftwards: the history panel at the right edge.
    paPlay = MakePanel(paBot, "paPlay", TAlign::alRight, 104, 35);
    paPlay->SetBevelOuter(TBevelCut::bvLowered);
    sbHome = MakeButton(paPlay, "sbHome", 2, 4, QStringLiteral("Home"), HomeGlyph());
    sbBackward = MakeButton(paPlay, "sbBackward", 26, 4, QStringLiteral("Back One"), BackGlyph());
    sbFarward = MakeButton(paPlay, "sbFarward", 50, 4, QStringLiteral("Farward One"), ForwardGlyph());
    sbEnd = MakeButton(paPlay, "sbEnd", 74, 4, QStringLiteral("End"), EndGlyph());
    connect(sbHome, &TSpeedButton::Click, this, &TCubeForm::sbHomeClick);
    connect(sbBackward, &TSpeedButton::Click, this, &TCubeForm::sbBackwardClick);
    connect(sbFarward, &TSpeedButton::Click, this, &TCubeForm::sbFarwardClick);
    connect(sbEnd, &TSpeedButton::Click, this, &TCubeForm::sbEndClick);

    paSetup = MakePanel(paBot, "paSetup", TAlign::alRight, 104, 35);
    paSetup->SetBevelOuter(TBevelCut::bvLowered);
    sbSetup = MakeButton(paSetup, "sbSetup", 8, 4, QStringLiteral("Direct3D Setup"), SetupGlyph());
    connect(sbSetup, &TSpeedButton::Click, this, &TCubeForm::sbSetupClick);
    // The pause toggle has no click handler: the game loop reads its state.
    sbPause = MakeButton(paSetup, "sbPause", 40, 4, QStringLiteral("Pause Game"), PauseGlyph());
    sbPause->SetGroupIndex(11);
    sbPause->SetAllowAllUp(true);
    sbPause->SetDown(true);
    sbAbout = MakeButton(paSetup, "sbAbout", 72, 4, QString(), QPixmap());
    sbAbout->SetCaption(QStringLiteral("?"));
    connect(sbAbout, &TSpeedButton::Click, this, &TCubeForm::sbAboutClick);

    paStartNew = MakePanel(paBot, "paStartNew", TAlign::alClient, 0, 35);
    paStartNew->SetCaption(QStringLiteral("Start New Game"));
    paStartNew->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -16, true, true));
    QPalette aqua = paStartNew->palette();
    aqua.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 255, 255));
    aqua.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 255, 255));
    paStartNew->setPalette(aqua);
    connect(paStartNew, &TPanel::Click, this, &TCubeForm::paStartNewClick);

    paRight = MakePanel(this, "paRight", TAlign::alRight, 33, height());
    struct TTurnButtonPlace {
        TSpeedButton** Button;
        const char* Name;
        int Top;
        int Turn;
        void (TCubeForm::*Click)(QObject*);
    };
    const TTurnButtonPlace places[] = {
        {&sb9, "sb9", 4, 9, &TCubeForm::sb9Click},     {&sb8, "sb8", 28, 8, &TCubeForm::sb8Click},
        {&sb7, "sb7", 52, 7, &TCubeForm::sb7Click},    {&sb6, "sb6", 82, 6, &TCubeForm::sb6Click},
        {&sb5, "sb5", 106, 5, &TCubeForm::sb5Click},   {&sb4, "sb4", 130, 4, &TCubeForm::sb4Click},
        {&sb3, "sb3", 160, 3, &TCubeForm::sb3Click},   {&sb2, "sb2", 184, 2, &TCubeForm::sb2Click},
        {&sb1, "sb1", 208, 1, &TCubeForm::sb1Click},
    };
    for (const TTurnButtonPlace& place : places) {
        *place.Button = MakeButton(paRight, place.Name, 4, place.Top,
                                   QStringLiteral("NUM %1").arg(place.Turn), TurnGlyph(place.Turn));
        connect(*place.Button, &TSpeedButton::Click, this, place.Click);
    }

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTick(Timer); });
    Timer->start();
}
