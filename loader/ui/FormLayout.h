#pragma once

#include <QRect>
#include <QSize>

// Where the loader window's controls go: Panel1 in the client area below the tool bar,
// Panel_Main inside it, and the memo, the three buttons and the progress bar inside that.
// Each rectangle is relative to its parent.
struct FormLayout {
    QRect panel1;
    QRect panelMain;
    QRect memo;
    QRect buttonStart;
    QRect buttonCancel;
    QRect buttonExit;
    QRect progressBar;
};

FormLayout ComputeFormLayout(QSize client, int toolBarBottom);
