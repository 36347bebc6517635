#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

class QAction;
class TForm1;

// The program's test hook for runs of the built program driven through its menu, as
// end-to-end tests and benchmarks run it: MERROW_MENU_SCRIPT holds menu paths separated by ";"
// ("Clone/Read from Radio...;File/Save As...=/tmp/radio.tov;File/Exit"), the captions without
// their "&". Once the window shows, each item is clicked when the one before has finished (the
// window takes input again after its exchange). While the script runs, message boxes are not
// shown but written to standard output ("box <text>") and answered Ok or Yes, and a file
// dialog chooses the path after the step's "=". Each step writes "step <path> <start ns>
// <end ns>" (steady clock) when it has finished.
class cuiMenuScript : public QObject, public platform::MessageBoxes, public platform::FileDialogs {
public:
    cuiMenuScript(TForm1* form, std::vector<std::string> steps);
    ~cuiMenuScript() override;
    cuiMenuScript(const cuiMenuScript&) = delete;
    cuiMenuScript& operator=(const cuiMenuScript&) = delete;

    // The script of the environment for the form, or none.
    static std::unique_ptr<cuiMenuScript> FromEnvironment(TForm1* form);

    platform::BoxAnswer Show(const std::string& text, const std::string& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override;
    [[noreturn]] void FatalEnd(const std::string& text, const std::string& caption) override;
    std::optional<std::string> ChooseOpen(const platform::FileDialogRequest& request) override;
    std::optional<std::string> ChooseSave(const platform::FileDialogRequest& request) override;

private:
    void Tick();
    void Finish();
    QAction* FindItem(const std::string& path) const;
    std::optional<std::string> StepFile() const;

    QPointer<TForm1> form_;
    std::vector<std::string> steps_;
    platform::MessageBoxes* previousBoxes_;
    platform::FileDialogs* previousDialogs_;
    size_t next_ = 0;
    bool running_ = false;
    long long started_ = 0;
    QTimer timer_;
};
