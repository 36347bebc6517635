#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class cmcGTex;

// The port dialog of the Port menu: asks for the number of the serial port (1..256) and says
// beside the field which device that number opens. OK refuses a number out of range with a
// message and keeps the dialog open; Cancel and Escape leave the port as it was. Run modally.
class cuiComSelDialog : public QDialog {
public:
    // portNumber is shown, and on OK takes the new number.
    cuiComSelDialog(QWidget* mainWindow, cmcGTex& table, int& portNumber);

    QLabel* Notice() const { return notice_; }
    QLineEdit* Edit() const { return edit_; }
    QLabel* DeviceLabel() const { return device_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    void BuildControls(cmcGTex& table);
    void PlaceControls(cmcGTex& table);
    void ShowDevice();
    void OkClick();

    int& portNumber_;
    std::string deviceCaption_;
    std::string noDevice_;
    QLabel* notice_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QLabel* device_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
