#pragma once
// The Direct3D options dialog.

#include "platform/ui/form.h"

class TD3dView;

class TSetupForm : public TForm {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget* Owner);

    // The game's view whose device the dialog edits; set by the game form before showing it.
    TD3dView* View = nullptr;
};

extern TSetupForm* SetupForm;
