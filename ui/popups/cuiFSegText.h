#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "radio/cells/cmcCellCapsule.h"
#include "ui/popups/cuiPopupForm.h"

class QLineEdit;
class QPainter;
class cmcGTex;
class cuiPaintBox;
class cuiSheet;

// The pop-up that edits a display-text field: a line of escaped text, a preview of it as the
// display shows it, and the sheet "GI_Sheet_Sel_Text" of every character to insert. Enter, OK,
// leaving the window or a close request commit the text by running a copy of the opening
// capsule through the dispatch handler with inputMode 2 and the text as inText; Esc and
// Cancel leave the field as it was. The window deletes itself when it closes.
class cuiFSegText : public cuiPopupForm {
public:
    using Dispatch = std::function<int(cmcCellCapsule& capsule, int notify)>;

    // Owned by the capsule's grid; the user-character patterns are copied.
    cuiFSegText(const cmcCellCapsule& capsule, cmcGTex& table, std::vector<uint8_t> startBytes,
                bool selectAll, int width, std::span<const uint8_t> userTable, Dispatch dispatch);
    ~cuiFSegText() override;

    QLineEdit* Memo() const { return memo_; }
    cuiSheet* Sheet() const { return sheet_.get(); }
    // The bytes of the text as it stands.
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    // The memo's text as display-text characters: one byte a character, a character beyond
    // 255 a space (it has no display character).
    static std::string TextBytes(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void HandBack(cmcCellCapsule& answer) override;

private:
    QWidget* BuildMemoPanel(QWidget* parent);
    QWidget* BuildPreviewPanel(QWidget* parent, int height);
    void BuildSheet(QWidget* host);
    void FitToSheet(QWidget* host);

    void OnMemoChanged();
    void PaintPreview(QPainter& painter);
    int OnSheetCell(cmcCellCapsule& capsule, int notify);
    void InsertCode(uint8_t code);
    bool OnMemoKey(int key);
    void OnSheetClick(QPoint at);

    cmcGTex& table_;
    std::vector<uint8_t> userTable_;
    int width_;
    std::vector<uint8_t> bytes_;
    Dispatch dispatch_;
    struct Selection {
        int start = -1;
        int length = 0;
    } savedSelection_;

    QLineEdit* memo_ = nullptr;
    cuiPaintBox* preview_ = nullptr;
    std::unique_ptr<cuiSheet> sheet_;
};
