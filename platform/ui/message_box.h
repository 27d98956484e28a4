#pragma once
// Modal message boxes with the system's flag and answer codes. Tests script them: while a
// TMessageBoxScript is alive no box is shown; each call is recorded and answered from its queue.

#include <QString>

#include <deque>
#include <vector>

// Buttons (flags & 0x0F).
constexpr int MB_OK = 0x00;
constexpr int MB_OKCANCEL = 0x01;
constexpr int MB_ABORTRETRYIGNORE = 0x02;
constexpr int MB_YESNOCANCEL = 0x03;
constexpr int MB_YESNO = 0x04;
constexpr int MB_RETRYCANCEL = 0x05;
// Icons (flags & 0xF0).
constexpr int MB_ICONHAND = 0x10;
constexpr int MB_ICONERROR = MB_ICONHAND;
constexpr int MB_ICONSTOP = MB_ICONHAND;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONEXCLAMATION = 0x30;
constexpr int MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr int MB_ICONASTERISK = 0x40;
constexpr int MB_ICONINFORMATION = MB_ICONASTERISK;
// Default button (flags & 0xF00); the first button when none is given.
constexpr int MB_DEFBUTTON1 = 0x000;
constexpr int MB_DEFBUTTON2 = 0x100;
constexpr int MB_DEFBUTTON3 = 0x200;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct TShownMessageBox {
    QString Text;
    QString Caption;
    int Flags = 0;
};

class TMessageBoxScript {
public:
    TMessageBoxScript();
    ~TMessageBoxScript();
    TMessageBoxScript(const TMessageBoxScript&) = delete;
    TMessageBoxScript& operator=(const TMessageBoxScript&) = delete;

    // Answers the next box with `answer`. Without a queued answer a box is answered as if
    // it were closed by its close button (Cancel, or No for Yes/No, or OK for OK alone).
    void QueueAnswer(int answer) { FAnswers.push_back(answer); }
    const std::vector<TShownMessageBox>& Shown() const { return FShown; }

private:
    friend int ShowMessageBox(const QString&, const QString&, int);
    std::deque<int> FAnswers;
    std::vector<TShownMessageBox> FShown;
    TMessageBoxScript* FOuter;
};

// Shows a modal box and returns the button chosen (IDOK ... IDNO).
int ShowMessageBox(const QString& text, const QString& caption, int flags);

// The answer a box gives when it is closed without choosing a button.
int MessageBoxCloseAnswer(int flags);
