#include "setup/setup_form.h"

#include "platform/ui/fonts.h"

TSetupForm* SetupForm = nullptr;

TSetupForm::TSetupForm(QWidget* Owner) : TForm(Owner)
{
    setObjectName(QStringLiteral("SetupForm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    SetCaption(QStringLiteral("Direct3D Options Setup"));
    SetClientSize(322, 277);
    SetScreenCenter(true);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
}
