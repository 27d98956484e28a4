#include "app/splash_form.h"

#include "platform/ui/align.h"
#include "platform/ui/application.h"
#include "platform/ui/fonts.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"

TSplashForm* SplashForm = nullptr;

namespace {

TLabel* MakeBottomLabel(TPanel* parent, const QString& text, int height)
{
    auto* label = new TLabel(parent);
    label->setText(text);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->resize(202, height);
    SetAlign(label, TAlign::alBottom);
    return label;
}

}  // namespace

TSplashForm::TSplashForm(QWidget* Owner) : TForm(Owner)
{
    setObjectName(QStringLiteral("SplashForm"));
    SetCaption(QStringLiteral("About"));
    SetBorderNone();
    SetClientSize(204, 87);
    SetScreenCenter(true);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    KeyPreview = true;
    OnKeyDown = [this](QObject* sender, int& key, TShiftState shift) { FormKeyDown(sender, key, shift); };

    Panel1 = new TPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 204, 87);
    SetAlign(Panel1, TAlign::alClient);

    ProgramIcon = new TImage(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(11, 6, 32, 32);
    ProgramIcon->SetStretch(true);

    ProductName = new TLabel(Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(64, 9, 129, 13);
    ProductName->setText(QStringLiteral("Product Name"));

    // Bottom-aligned labels stack upwards in the order they are made.
    Status = MakeBottomLabel(Panel1, QStringLiteral("Status"), 13);
    Status->setObjectName(QStringLiteral("Status"));
    QPalette statusColours = Status->palette();
    statusColours.setColor(QPalette::Window, Qt::black);
    statusColours.setColor(QPalette::WindowText, QColor(0, 255, 0));
    Status->setPalette(statusColours);
    Status->setAutoFillBackground(true);
    Status->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));

    Comments = MakeBottomLabel(Panel1, QStringLiteral("https://ztarn.example.org"), 17);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setWordWrap(true);

    Copyright = MakeBottomLabel(Panel1, QStringLiteral("Copyright \u00A9 the Z-Tarn developers"), 13);
    Copyright->setObjectName(QStringLiteral("Copyright"));

    connect(Panel1, &TPanel::Click, this, &TSplashForm::CloseForm);
    connect(ProgramIcon, &TImage::Click, this, &TSplashForm::CloseForm);
    for (TLabel* label : {ProductName, Copyright, Comments, Status})
        connect(label, &TLabel::Click, this, &TSplashForm::CloseForm);

    Status->setText(QString());
    ProductName->setText(Application->Title());
    ProgramIcon->SetPicture(Application->Icon().pixmap(32, 32));
}

void TSplashForm::CloseForm(QObject*)
{
    if (Status->text().isEmpty()) Close();
}

void TSplashForm::FormKeyDown(QObject* Sender, int&, TShiftState) { CloseForm(Sender); }
