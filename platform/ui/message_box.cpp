#include "platform/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {

TMessageBoxScript* activeScript = nullptr;

struct BoxButton {
    QMessageBox::StandardButton Button;
    int Answer;
};

std::vector<BoxButton> ButtonsOf(int flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(int flags)
{
    switch (flags & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

TMessageBoxScript::TMessageBoxScript() : FOuter(activeScript) { activeScript = this; }

TMessageBoxScript::~TMessageBoxScript() { activeScript = FOuter; }

int MessageBoxCloseAnswer(int flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

int ShowMessageBox(const QString& text, const QString& caption, int flags)
{
    if (activeScript) {
        activeScript->FShown.push_back({text, caption, flags});
        if (activeScript->FAnswers.empty()) return MessageBoxCloseAnswer(flags);
        const int answer = activeScript->FAnswers.front();
        activeScript->FAnswers.pop_front();
        return answer;
    }

    QMessageBox box(IconOf(flags), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    const std::vector<BoxButton> buttons = ButtonsOf(flags);
    std::vector<std::pair<QPushButton*, int>> answers;
    for (const BoxButton& button : buttons) answers.emplace_back(box.addButton(button.Button), button.Answer);
    const std::size_t defaultIndex = static_cast<std::size_t>((flags >> 8) & 0x0F);
    if (defaultIndex < buttons.size()) box.setDefaultButton(answers[defaultIndex].first);
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == static_cast<QAbstractButton*>(button)) return answer;
    return MessageBoxCloseAnswer(flags);
}
