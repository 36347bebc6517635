#include "ui/shell/TarnwickGlobals.h"

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "common/cmcHelpGTex.h"
#include "ui/shell/indMain.h"

TarnwickGlobals::TarnwickGlobals(indEnviron::ScreenSize screen)
    : settings_(std::make_unique<indEnviron>(kMutexName, kKeyPath, screen)),
      table_(std::make_unique<cmcGTex>()),
      help_(std::make_unique<cmcHelpGTex>()),
      bus_(std::make_unique<cmcEvMan>()) {
    InstallMainGTex(table_.get());
    InstallEvMan(bus_.get());
    app_ = std::make_unique<indMain>(*settings_, *table_, *help_);
}

TarnwickGlobals::~TarnwickGlobals() {
    app_.reset();
    InstallEvMan(nullptr);
    bus_.reset();
    help_.reset();
    InstallMainGTex(nullptr);
    table_.reset();
    settings_.reset();
}
