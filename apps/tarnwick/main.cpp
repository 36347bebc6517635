// Tarnwick, the cloning program: one instance at a time, its texts and layouts in the tables
// beside it, one main window of sheets over the radio's memory image.
#include "ui/shell/frmMain.h"

int main(int argc, char** argv) {
    return RunTarnwick(argc, argv);
}
