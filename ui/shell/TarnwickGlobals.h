#pragma once

#include <memory>
#include <string>
#include <vector>

#include "radio/host/indEnviron.h"

class cmcEvMan;
class cmcGTex;
class cmcHelpGTex;
class indMain;

// The cloning program's five global objects, made in this order and deleted in the reverse
// one: the settings (which hold the single-instance lock), the main text table, the help text
// table, the event bus and the application object. The tables are bound to their files by the
// application object; the main table and the bus are installed for the program's parts while
// they exist.
class TarnwickGlobals {
public:
    static constexpr char kMutexName[] = "Zelk Tarnwick APP Exclusive Mutex";
    static constexpr char kKeyPath[] = "Software\\Zelk\\Tarnwick";

    explicit TarnwickGlobals(indEnviron::ScreenSize screen);
    ~TarnwickGlobals();
    TarnwickGlobals(const TarnwickGlobals&) = delete;
    TarnwickGlobals& operator=(const TarnwickGlobals&) = delete;

    indEnviron& Settings() { return *settings_; }
    cmcGTex& Table() { return *table_; }
    indMain& App() { return *app_; }

private:
    std::unique_ptr<indEnviron> settings_;
    std::unique_ptr<cmcGTex> table_;
    std::unique_ptr<cmcHelpGTex> help_;
    std::unique_ptr<cmcEvMan> bus_;
    std::unique_ptr<indMain> app_;
};
