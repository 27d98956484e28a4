#pragma once
// The splash shown during start-up, which later serves as the About box. A non-empty Status line
// means start-up is running and the splash must not close; with it empty, any click or key
// closes it.

#include "platform/ui/form.h"

class TImage;
class TLabel;
class TPanel;

class TSplashForm : public TForm {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* Owner);

    TPanel* Panel1 = nullptr;
    TImage* ProgramIcon = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Copyright = nullptr;
    TLabel* Comments = nullptr;
    TLabel* Status = nullptr;

    void CloseForm(QObject* Sender);
    void FormKeyDown(QObject* Sender, int& Key, TShiftState Shift);
};

extern TSplashForm* SplashForm;
