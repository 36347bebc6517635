#include "tests/support/ProgramTable.h"

#include "common/cmcGTex.h"

namespace testsupport {

cmcGTex& ProgramTable() {
    static cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    return table;
}

}  // namespace testsupport
