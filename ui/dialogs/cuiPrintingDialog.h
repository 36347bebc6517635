#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class cmcGTex;

// The small window of a running print job: a line of text and a Cancel button, centred over
// the main window, which takes no input meanwhile. It has no system menu and no close button;
// Escape and a close request press Cancel, which only calls the closure: the job removes the
// window when it ends.
class cuiPrintingDialog : public QDialog {
public:
    cuiPrintingDialog(QWidget* mainWindow, cmcGTex& table, std::function<void()> onCancel);

    QLabel* Label() const { return label_; }
    QPushButton* CancelButton() const { return cancel_; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Place();

    QLabel* label_;
    QPushButton* cancel_;
    std::function<void()> onCancel_;
};
