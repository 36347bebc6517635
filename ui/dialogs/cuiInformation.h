#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>
#include <string>

#include "ui/sheet/cuiSheet.h"

class QPushButton;
class cmcGTex;
class cuiImageList;

// An information window: one sheet of the text table in a bevelled panel, fitted to the sheet,
// above a single OK button. The window is modeless for the program but takes the input of its
// parent window while it is open; OK, Enter, Escape or closing it deletes it, and the parent
// gets the focus back. The clone information command shows the radio's identity in it.
class cuiInformation : public QDialog {
public:
    // Builds and shows the window over the parent. The sheet's cells run through the given
    // handler, or through the program's memory map when there is none.
    cuiInformation(QWidget* parent, const std::string& caption, cmcGTex& table,
                   const std::string& sheetName, const std::string& sheetArgument,
                   const cuiImageList* images = nullptr, cuiSheet::CellHandler handler = {});
    ~cuiInformation() override;

    cuiSheet& Sheet() const { return *sheet_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QWidget* BuildButtonRow(cmcGTex& table);

    QPointer<QWidget> parentWindow_;
    std::unique_ptr<cuiSheet> sheet_;
    QPushButton* ok_ = nullptr;
};
