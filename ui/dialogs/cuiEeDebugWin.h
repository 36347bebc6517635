#pragma once

#include <memory>
#include <string>

#include "ui/sheet/cuiSheet.h"

class QDialog;
class QPushButton;
class QWidget;
class cmcGTex;
class cuiImageList;
struct cmcEvent;

// The image debug window: a sheet showing the memory image in hexadecimal, with the buttons
// OK, "Set Comp" (take the compare snapshot) and "Redraw". It stays beside the main window,
// which keeps taking input; several may be open at once. Its form belongs to the parent control
// and the object to its form: closing the window releases the form, and destroying the form
// deletes the object. It redraws on the bus's image-debug redraw and a new image, and selects
// the byte of an address on the image-debug go-to event.
class cuiEeDebugWin {
public:
    // Builds and shows the window over the parent. The sheet's cells run through the handler
    // (the window's own items), or the program's memory map when there is none.
    cuiEeDebugWin(QWidget* parent, const std::string& caption, cmcGTex& table,
                  const std::string& sheetName, const std::string& sheetArgument,
                  const cuiImageList* images = nullptr, cuiSheet::CellHandler handler = {});
    ~cuiEeDebugWin();
    cuiEeDebugWin(const cuiEeDebugWin&) = delete;
    cuiEeDebugWin& operator=(const cuiEeDebugWin&) = delete;

    // Repaints every cell of the sheet.
    void RedrawAll();

    QDialog* Form() const { return form_; }
    cuiSheet& Sheet() const { return *sheet_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* SetCompButton() const { return setComp_; }
    QPushButton* RedrawButton() const { return redraw_; }

private:
    QWidget* BuildButtonRow(cmcGTex& table);
    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);
    void GoTo(long long address);

    QDialog* form_;
    std::unique_ptr<cuiSheet> sheet_;
    QPushButton* ok_ = nullptr;
    QPushButton* setComp_ = nullptr;
    QPushButton* redraw_ = nullptr;
};
