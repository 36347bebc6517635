#pragma once

// The firmware loader's run: the single-instance rule (a second instance ends at once), its
// text table inside the program, the window and its message loop, and everything taken down
// again in the reverse order. Returns 0 in every case.
int RunFennmoor(int argc, char** argv);
