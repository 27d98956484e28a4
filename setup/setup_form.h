#pragma once
// The Direct3D options dialog.

#include "platform/ui/form.h"

class TSetupForm : public TForm {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget* Owner);
};

extern TSetupForm* SetupForm;
