#include "platform/ui/scripted_user.h"
#include "platform/ui/window_surface.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <mutex>
#include <stdexcept>

#include "platform/gdi/png.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"

namespace ui {
namespace {

struct Reporter {
    std::mutex mutex;
    ScriptedUser::ProblemReporter report;
};

Reporter& TheReporter() {
    static Reporter reporter;
    return reporter;
}

std::string PendingProblem(std::size_t count) {
    return std::to_string(count) +
           (count == 1 ? " queued dialog script never ran" : " queued dialog scripts never ran");
}

}  // namespace

ScriptedUser::ScriptedUser() : previous_(InstallDriver(this)) {
    if (const char* folder = std::getenv("TARVEL_TEST_PICTURES"); folder != nullptr)
        pictureFolder_ = folder;
}

ScriptedUser::~ScriptedUser() {
    InstallDriver(previous_);
    if (!scripts_.empty())
        problems_.push_back(PendingProblem(scripts_.size()));
    // A test that is already failing with an exception needs no second report.
    if (problems_.empty() || std::uncaught_exceptions() > 0)
        return;
    std::string report = "the scripted user saw problems:";
    for (const std::string& problem : problems_)
        report += "\n- " + problem;
    ProblemReporter reporter;
    {
        std::lock_guard<std::mutex> hold(TheReporter().mutex);
        reporter = TheReporter().report;
    }
    if (reporter) {
        reporter(report);
        return;
    }
    std::fprintf(stderr, "%s\n", report.c_str());
    std::abort();
}

ScriptedUser::ProblemReporter ScriptedUser::SetProblemReporter(ProblemReporter reporter) {
    std::lock_guard<std::mutex> hold(TheReporter().mutex);
    std::swap(TheReporter().report, reporter);
    return reporter;
}

std::vector<std::string> ScriptedUser::TakeProblems() {
    if (!scripts_.empty())
        problems_.push_back(PendingProblem(scripts_.size()));
    scripts_.clear();
    std::vector<std::string> taken;
    taken.swap(problems_);
    return taken;
}

std::string ScriptedUser::KeepPicture(HWND dialog) {
    if (pictureFolder_.empty())
        return {};
    const std::filesystem::path file =
        std::filesystem::path(pictureFolder_) / ("dialog-" + std::to_string(TemplateIdOf(dialog)) +
                                                 "-" + std::to_string(++pictures_) + ".png");
    try {
        std::filesystem::create_directories(pictureFolder_);
        gdi::WritePng(ui::Snapshot(dialog), file.string());
        return file.string();
    } catch (const std::exception& e) {
        return std::string("(no picture: ") + e.what() + ")";
    }
}

void ScriptedUser::NoteProblem(std::string problem, HWND dialog) {
    if (const std::string picture = KeepPicture(dialog); !picture.empty())
        problem += "\npicture: " + picture;
    problem += "\nwhat the dialog holds:\n" + DescribeWindowTree(dialog);
    problems_.push_back(std::move(problem));
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
        NoteProblem("a dialog came up with no script queued: " + DescribeControl(dialog), dialog);
        return;
    }
    DialogScript script = std::move(scripts_.front());
    scripts_.pop_front();
    WindowUser user(dialog);
    try {
        script(user);
    } catch (...) {
        // The exception fails the test; a picture shows what the dialog looked like.
        if (IsWindow(dialog)) {
            if (const std::string picture = KeepPicture(dialog); !picture.empty())
                std::fprintf(stderr, "dialog script failed; picture: %s\n", picture.c_str());
        }
        throw;
    }
    if (IsWindow(dialog) && !IsDialogEnded(dialog)) {
        ++dialogsLeftOpen_;
        NoteProblem("the script left the dialog open: " + DescribeControl(dialog), dialog);
    }
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
