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
// (as if the user pressed Escape), counted and noted as a problem with a dump of its
// controls; so are scripts still queued when the user goes away. Problems that the test
// did not take (TakeProblems) are reported when the ScriptedUser goes away, through the
// problem reporter: the project's tests install one that fails the running test
// (tests/helpers/scripted_user_failures.cpp); without one they are printed and the
// process aborts.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
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

    using ProblemReporter = std::function<void(const std::string& problems)>;

    ScriptedUser();            // installs itself as the process's driver
    ~ScriptedUser() override;  // puts the previous driver back, reports problems left

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

    // The problems so far, one description each (scripts still queued included), handed
    // over and forgotten, the queued scripts with them: for tests that expect them.
    std::vector<std::string> TakeProblems();

    // Keeps a PNG picture of each dialog that a script left open or failed on (threw) in
    // the folder, as dialog-<template>-<n>.png; the problem names the file. The variable
    // TARVEL_TEST_PICTURES sets the folder for every ScriptedUser. Empty: no pictures.
    void KeepPicturesIn(std::string folder) { pictureFolder_ = std::move(folder); }

    // Who hears of problems left when a ScriptedUser goes away (null: print and abort);
    // returns the reporter it replaces.
    static ProblemReporter SetProblemReporter(ProblemReporter reporter);

    void RunModal(HWND dialog) override;
    int ShowMessageBox(const MessageBoxRequest& request) override;

private:
    std::string KeepPicture(HWND dialog);
    void NoteProblem(std::string problem, HWND dialog);

    Driver* previous_ = nullptr;
    std::vector<std::string> problems_;
    std::string pictureFolder_;
    int pictures_ = 0;
    std::deque<DialogScript> scripts_;
    std::deque<int> answers_;
    MessageBoxAnswerer answerer_;
    std::vector<MessageBoxRecord> boxes_;
    int dialogsRun_ = 0;
    int dialogsWithoutScript_ = 0;
    int dialogsLeftOpen_ = 0;
};

}  // namespace ui
