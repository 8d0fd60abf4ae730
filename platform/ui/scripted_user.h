// The user-interface driver for tests and scripts: plays a queued script on each modal
// dialog, answers message boxes and records every box it saw.
//
//   ui::ScriptedUser user;                          // installed while it lives
//   user.OnNextDialog([&](ui::WindowUser& dialog) {
//       dialog.Control(212).Type(u"96");
//       dialog.PressOk();                           // refused: a message box comes up,
//       EXPECT_TRUE(dialog.IsOpen());               // answered with its default button
//       EXPECT_EQ(user.LastMessageBox().flags & MB_ICONMASK, MB_ICONEXCLAMATION);
//       EXPECT_TRUE(dialog.Control(212).HasFocus());
//       dialog.PressCancel();
//   });
//   EXPECT_EQ(dialog.Execute(), IDCANCEL);
//
// A dialog that arrives with no script queued, or that a script leaves open, is cancelled
// (as if the user pressed Escape) and counted.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "platform/ui/driver.h"
#include "platform/ui/window_user.h"

namespace ui {

struct MessageBoxRecord : MessageBoxRequest {
    int answer = 0;
};

class ScriptedUser final : public Driver {
public:
    using DialogScript = std::function<void(WindowUser& dialog)>;
    using MessageBoxAnswerer = std::function<int(const MessageBoxRecord& box)>;

    ScriptedUser();            // installs itself as the process's driver
    ~ScriptedUser() override;  // puts the previous driver back

    // Each modal dialog runs the next queued script, in order.
    void OnNextDialog(DialogScript script);
    std::size_t PendingScripts() const { return scripts_.size(); }

    // Message boxes take the queued answers in order, then the answerer's, then their
    // default button.
    void AnswerNextMessageBox(int answer);
    void AnswerMessageBoxesWith(MessageBoxAnswerer answerer);
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return boxes_; }
    const MessageBoxRecord& LastMessageBox() const;  // std::logic_error when there was none
    void ForgetMessageBoxes() { boxes_.clear(); }

    int DialogsRun() const { return dialogsRun_; }
    int DialogsWithoutScript() const { return dialogsWithoutScript_; }
    int DialogsLeftOpen() const { return dialogsLeftOpen_; }

    // Lets virtual time pass: timers fire on the way.
    void Wait(DWORD milliseconds);

    void RunModal(HWND dialog) override;
    int ShowMessageBox(const MessageBoxRequest& request) override;

private:
    Driver* previous_ = nullptr;
    std::deque<DialogScript> scripts_;
    std::deque<int> answers_;
    MessageBoxAnswerer answerer_;
    std::vector<MessageBoxRecord> boxes_;
    int dialogsRun_ = 0;
    int dialogsWithoutScript_ = 0;
    int dialogsLeftOpen_ = 0;
};

}  // namespace ui
