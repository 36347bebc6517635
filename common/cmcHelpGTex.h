#pragma once

#include "common/cmcGTex.h"

// The help-topic table: the same reader over a file, without the line-array source.
class cmcHelpGTex : private cmcGTex {
public:
    using cmcGTex::GetLine;
    using cmcGTex::SetFileName;
};
