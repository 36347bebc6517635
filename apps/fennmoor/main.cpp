// Fennmoor, the firmware loader: one instance at a time, its texts inside the program, one
// window that runs the load sequence.
#include "loader/ui/frmMain.h"

int main(int argc, char** argv) {
    return RunFennmoor(argc, argv);
}
