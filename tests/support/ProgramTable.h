#pragma once

class cmcGTex;

namespace testsupport {

// The program's own main text table, as joined beside the built program; one for the run.
cmcGTex& ProgramTable();

}  // namespace testsupport
