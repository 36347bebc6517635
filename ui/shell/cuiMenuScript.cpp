#include "ui/shell/cuiMenuScript.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

#include "ui/shell/TForm1.h"
#include "ui/shell/cuiShownProbe.h"

namespace {

constexpr int kPollMs = 10;

long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A caption as the user reads it: without the mnemonic marks.
QString Plain(QString caption) {
    caption.replace("&&", QString(QChar(1)));
    caption.remove('&');
    caption.replace(QChar(1), '&');
    return caption;
}

QAction* FindIn(const QList<QAction*>& actions, const QStringList& path, int depth) {
    for (QAction* action : actions) {
        if (Plain(action->text()) != path[depth]) {
            continue;
        }
        if (depth + 1 == path.size()) {
            return action;
        }
        if (action->menu()) {
            return FindIn(action->menu()->actions(), path, depth + 1);
        }
    }
    return nullptr;
}

std::string StepPath(const std::string& step) {
    return step.substr(0, step.find('='));
}

}  // namespace

cuiMenuScript::cuiMenuScript(TForm1* form, std::vector<std::string> steps)
    : form_(form),
      steps_(std::move(steps)),
      previousBoxes_(&platform::Boxes()),
      previousDialogs_(&platform::Dialogs()) {
    platform::InstallBoxes(this);
    platform::InstallFileDialogs(this);
    timer_.setInterval(kPollMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    new cuiShownProbe(form, [this] { timer_.start(); });
}

cuiMenuScript::~cuiMenuScript() {
    platform::InstallFileDialogs(previousDialogs_);
    platform::InstallBoxes(previousBoxes_);
}

std::unique_ptr<cuiMenuScript> cuiMenuScript::FromEnvironment(TForm1* form) {
    const QString script = qEnvironmentVariable("MERROW_MENU_SCRIPT");
    if (script.isEmpty()) {
        return nullptr;
    }
    std::vector<std::string> steps;
    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        steps.push_back(step.trimmed().toStdString());
    }
    return std::make_unique<cuiMenuScript>(form, std::move(steps));
}

// A step has finished when the window takes input again.
void cuiMenuScript::Tick() {
    if (!form_ || !form_->IsFormEnabled()) {
        return;
    }
    if (running_) {
        Finish();
    }
    if (next_ >= steps_.size()) {
        timer_.stop();
        return;
    }
    QAction* item = FindItem(StepPath(steps_[next_]));
    if (!item) {
        std::printf("no item %s\n", steps_[next_].c_str());
        std::fflush(stdout);
        std::exit(4);
    }
    running_ = true;
    started_ = Now();
    item->trigger();
}

void cuiMenuScript::Finish() {
    running_ = false;
    std::printf("step %s %lld %lld\n", StepPath(steps_[next_]).c_str(), started_, Now());
    std::fflush(stdout);
    ++next_;
}

QAction* cuiMenuScript::FindItem(const std::string& path) const {
    const QStringList parts = QString::fromStdString(path).split('/');
    return FindIn(form_->menuBar()->actions(), parts, 0);
}

std::optional<std::string> cuiMenuScript::StepFile() const {
    if (next_ >= steps_.size()) {
        return {};
    }
    const size_t equals = steps_[next_].find('=');
    if (equals == std::string::npos) {
        return {};
    }
    return steps_[next_].substr(equals + 1);
}

platform::BoxAnswer cuiMenuScript::Show(const std::string& text, const std::string&,
                                        platform::BoxIcon, platform::BoxButtons buttons) {
    QString line = QString::fromStdString(text);
    line.replace('\n', '|');
    std::printf("box %s\n", line.toStdString().c_str());
    std::fflush(stdout);
    return buttons == platform::BoxButtons::YesNo || buttons == platform::BoxButtons::YesNoCancel
               ? platform::BoxAnswer::Yes
               : platform::BoxAnswer::Ok;
}

void cuiMenuScript::FatalEnd(const std::string& text, const std::string&) {
    std::printf("fatal %s\n", text.c_str());
    std::fflush(stdout);
    std::abort();
}

std::optional<std::string> cuiMenuScript::ChooseOpen(const platform::FileDialogRequest&) {
    return StepFile();
}

std::optional<std::string> cuiMenuScript::ChooseSave(const platform::FileDialogRequest&) {
    return StepFile();
}
