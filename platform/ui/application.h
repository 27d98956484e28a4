#pragma once
// The application object: title and icon, the forms it owns, the message loop, the idle event,
// the active flag, modal message boxes and the standard exception display.

#include "platform/ui/exceptions.h"
#include "platform/ui/idle_event.h"

#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QObject;
class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Hooks the idle event into the running Qt application; needs a QApplication. Calling it
    // again is harmless.
    void Initialize();

    // The title defaults to the executable's name until it is set.
    QString Title() const;
    void SetTitle(const QString& title);
    QIcon Icon() const { return FIcon; }
    void SetIcon(const QIcon& icon) { FIcon = icon; }

    // Creates a form owned by the application and stores it in `reference`; the first form
    // created this way becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = new T(nullptr);
        Adopt(reference, [&reference] { reference = nullptr; }, true);
    }
    // Takes a form created elsewhere into the application's ownership (never the main form).
    template <class T>
    void Own(T*& reference)
    {
        Adopt(reference, [&reference] { reference = nullptr; }, false);
    }
    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and runs the message loop until the main form closes.
    void Run();
    // Ends the message loop.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Destroys the owned forms, newest first, and clears their references.
    void DestroyForms();

    // The idle event: runs when the message loop is about to wait, inside modal loops too.
    // With Done left true the loop waits for the next message; with Done false the handler
    // runs again as soon as the message queue is empty.
    TIdleEvent OnIdle;
    // The handler's sender: an object that stands for the application (null before Initialize).
    QObject* Handle() const { return FHandle.get(); }

    // Whether one of the application's windows is the active one; follows the system.
    bool Active() const { return FActive; }
    void SetActive(bool active) { FActive = active; }

    // Modal message box with the system's flags; returns the button chosen (IDYES ...).
    int MessageBox(const QString& text, const QString& caption, int flags);
    // The standard exception display: the message in a box with the error icon and OK.
    void ShowException(const Exception& e);

private:
    void Adopt(TForm* form, std::function<void()> clearReference, bool mayBeMain);
    void DoIdle();

    struct OwnedForm {
        TForm* Form;
        std::function<void()> ClearReference;
    };
    QString FTitle;
    QIcon FIcon;
    std::vector<OwnedForm> FForms;
    TForm* FMainForm = nullptr;
    std::unique_ptr<QObject> FHandle;
    bool FActive = false;
    bool FInIdle = false;
    bool FTerminated = false;
};

extern TApplication* Application;
