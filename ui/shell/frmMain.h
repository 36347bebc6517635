#pragma once

// The cloning program's run: its five global objects in their order, the single-instance rule
// (a second instance ends at once), the main form and its message loop, and everything taken
// down again in the reverse order. Returns 0 in every case.
int RunTarnwick(int argc, char** argv);
