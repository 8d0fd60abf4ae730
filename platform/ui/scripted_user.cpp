#include "platform/ui/scripted_user.h"

#include <stdexcept>

#include "platform/ui/headless.h"
#include "platform/ui/user.h"

namespace ui {

ScriptedUser::ScriptedUser() : previous_(InstallDriver(this)) {}

ScriptedUser::~ScriptedUser() {
    InstallDriver(previous_);
}

void ScriptedUser::OnNextDialog(DialogScript script) {
    scripts_.push_back(std::move(script));
}

void ScriptedUser::AnswerNextMessageBox(int answer) {
    answers_.push_back(answer);
}

void ScriptedUser::AnswerMessageBoxesWith(MessageBoxAnswerer answerer) {
    answerer_ = std::move(answerer);
}

const MessageBoxRecord& ScriptedUser::LastMessageBox() const {
    if (boxes_.empty())
        throw std::logic_error("no message box came up");
    return boxes_.back();
}

void ScriptedUser::Wait(DWORD milliseconds) {
    AdvanceClock(milliseconds);
}

void ScriptedUser::RunModal(HWND dialog) {
    ++dialogsRun_;
    if (scripts_.empty()) {
        ++dialogsWithoutScript_;
        return;
    }
    DialogScript script = std::move(scripts_.front());
    scripts_.pop_front();
    WindowUser user(dialog);
    script(user);
    if (IsWindow(dialog) && !IsDialogEnded(dialog))
        ++dialogsLeftOpen_;
}

int ScriptedUser::ShowMessageBox(const MessageBoxRequest& request) {
    MessageBoxRecord box;
    static_cast<MessageBoxRequest&>(box) = request;
    if (!answers_.empty()) {
        box.answer = answers_.front();
        answers_.pop_front();
    } else if (answerer_) {
        box.answer = answerer_(box);
    } else {
        box.answer = DefaultMessageBoxAnswer(request.flags);
    }
    boxes_.push_back(box);
    return box.answer;
}

}  // namespace ui
