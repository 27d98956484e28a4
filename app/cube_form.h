#pragma once
// The game's main form.

#include "platform/ui/form.h"

class TSpeedButton;

class TCubeForm : public TForm {
    Q_OBJECT
public:
    explicit TCubeForm(QWidget* Owner);

    TSpeedButton* sbAbout = nullptr;

    // Shows the About box modally.
    void sbAboutClick(QObject* Sender);
};

extern TCubeForm* CubeForm;
