#include "ui/popups/cuiFSegText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/glyphs/SegGlyphs.h"
#include "radio/image/EscapedText.h"
#include "ui/paint/FontMapping.h"
#include "ui/paint/cuiCanvas.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/widgets/cuiPaintBox.h"

namespace {

constexpr int kBorder = 5;
constexpr int kMaxMemoText = 1024;
constexpr int kCellsPerRow = 8;
constexpr uint32_t kBlack = 0x000000;
constexpr const char* kSelectionSheet = "GI_Sheet_Sel_Text";

// A panel that holds one control inside a border.
QWidget* BorderPanel(QWidget* parent, QWidget* control) {
    auto* panel = new QWidget(parent);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(control);
    return panel;
}

cmcFont CellFont(const cmcCellCapsule& capsule) {
    if (capsule.cell && capsule.cell->font) {
        return *capsule.cell->font;
    }
    if (capsule.sheet && capsule.sheet->Template().font) {
        return *capsule.sheet->Template().font;
    }
    return cmcFont();
}

}  // namespace

cuiFSegText::cuiFSegText(const cmcCellCapsule& capsule, cmcGTex& table,
                         std::vector<uint8_t> startBytes, bool selectAll, int width,
                         std::span<const uint8_t> userTable, Dispatch dispatch)
    : cuiPopupForm(capsule),
      table_(table),
      userTable_(userTable.begin(), userTable.end()),
      width_(width),
      dispatch_(std::move(dispatch)) {
    QVBoxLayout* layout = PanelLayout();
    QWidget* panel = layout->parentWidget();
    QWidget* memoPanel = BuildMemoPanel(panel);
    layout->addWidget(memoPanel);
    layout->addWidget(BuildPreviewPanel(panel, memoPanel->minimumHeight() + 2));
    auto* sheetHost = new QWidget(panel);
    layout->addWidget(sheetHost, 1);
    AddButtons(table_);
    BuildSheet(sheetHost);

    memo_->setText(QString::fromLatin1(BytesToEscapedText(startBytes)));
    if (selectAll) {
        memo_->selectAll();
    } else {
        memo_->end(false);
    }
    OnMemoChanged();
    QObject::connect(memo_, &QLineEdit::textChanged, this, [this] { OnMemoChanged(); });

    FitToSheet(sheetHost);
    Present(memo_);
}

cuiFSegText::~cuiFSegText() {
    Detach();
    sheet_.reset();
}

QWidget* cuiFSegText::BuildMemoPanel(QWidget* parent) {
    auto* memo = new QLineEdit;
    memo->setMaxLength(kMaxMemoText);
    memo->setFont(ToQFont(CellFont(Caller())));
    memo->setFixedHeight(memo->fontMetrics().height() * 3 / 2);
    memo->installEventFilter(this);
    memo_ = memo;
    QWidget* panel = BorderPanel(parent, memo);
    panel->setFixedHeight(memo->height() + 2 * kBorder);
    return panel;
}

QWidget* cuiFSegText::BuildPreviewPanel(QWidget* parent, int height) {
    auto* preview = new cuiPaintBox;
    preview->OnPaint = [this](QPainter& painter) { PaintPreview(painter); };
    preview_ = preview;
    QWidget* panel = BorderPanel(parent, preview);
    panel->setFixedHeight(height);
    return panel;
}

void cuiFSegText::BuildSheet(QWidget* host) {
    sheet_ = std::make_unique<cuiSheet>(host, &Caller(), 0, 0, table_, kSelectionSheet);
    sheet_->SetCellHandler(
        [this](cmcCellCapsule& capsule, int notify) { return OnSheetCell(capsule, notify); });
    sheet_->Show();
    cuiGrid* grid = sheet_->Grid();
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->viewport()->installEventFilter(this);
}

// The sheet shows its whole width and five eighths of its height; the window fits around it.
// The sheet's own frame is measured on the laid-out window, which is not shown meanwhile.
void cuiFSegText::FitToSheet(QWidget* host) {
    setAttribute(Qt::WA_DontShowOnScreen, true);
    show();
    const cuiGrid* grid = sheet_->Grid();
    int rows = 0;
    for (int row = 0; row < grid->RowCount(); ++row) {
        rows += grid->RowHeight(row);
    }
    const int frameHeight = sheet_->NaturalHeight() - rows;
    host->setFixedSize(sheet_->NaturalWidth(), frameHeight + rows * 5 / 8);
    adjustSize();
    hide();
    setAttribute(Qt::WA_DontShowOnScreen, false);
}

void cuiFSegText::OnMemoChanged() {
    bytes_ = EscapedTextToBytes(TextBytes(memo_->text()));
    preview_->update();
}

void cuiFSegText::PaintPreview(QPainter& painter) {
    const QRect box = preview_->rect();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    cuiCanvas canvas(painter, preview_->palette());
    canvas.SetTextColour(kBlack);
    WindowRect rect{1, 1, box.width() - 2, box.height() - 2};
    cmcCellCapsule capsule;
    capsule.canvas = &canvas;
    capsule.rect = &rect;
    const int rows = std::max(1, (width_ + kCellsPerRow - 1) / kCellsPerRow);
    PaintGlyphs(capsule, bytes_, width_, kCellsPerRow, rows, userTable_);
}

std::string cuiFSegText::TextBytes(const QString& text) {
    std::string bytes;
    for (const QChar c : text) {
        bytes += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : ' ';
    }
    return bytes;
}

int cuiFSegText::OnSheetCell(cmcCellCapsule& capsule, int notify) {
    if (!capsule.cell || capsule.cell->item != Flex0) {
        return dispatch_(capsule, notify);
    }
    const auto code = static_cast<uint8_t>(capsule.cell->index);
    if (capsule.canvas) {
        const uint8_t glyph[] = {code};
        PaintGlyphs(capsule, glyph, 1, 1, 1, userTable_);
        capsule.outText.clear();
        return 0;
    }
    const int key = capsule.key;
    if (key == ' ') {
        InsertCode(code);
    } else if (key == kKeyEnter) {
        Commit();
    } else if (key == kKeyBackspace || key == kKeyEscape) {
        memo_->setFocus();
    } else if (key != 0x7F && IsTextByte(key)) {
        InsertCode(static_cast<uint8_t>(key));
        memo_->setFocus();
    }
    return 0;
}

void cuiFSegText::InsertCode(uint8_t code) {
    if (!memo_->hasFocus() && savedSelection_.start >= 0) {
        memo_->setSelection(savedSelection_.start, savedSelection_.length);
    }
    const uint8_t byte[] = {code};
    memo_->insert(QString::fromLatin1(BytesToEscapedText(byte)));
}

bool cuiFSegText::OnMemoKey(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Commit();
        return true;
    }
    if (key == Qt::Key_Escape) {
        Cancel();
        return true;
    }
    return false;
}

// A click on a character of the sheet inserts it: the press has made its cell current.
void cuiFSegText::OnSheetClick(QPoint at) {
    const cuiGridCoord cell = sheet_->Grid()->MouseCell(at);
    if (cell != sheet_->CurrentCell() || !sheet_->Cells().InRange(cell.col, cell.row)) {
        return;
    }
    const cmcCellObj& obj = sheet_->Cells().At(cell.col, cell.row).cell;
    if (obj.item == Flex0) {
        InsertCode(static_cast<uint8_t>(obj.index));
        memo_->setFocus();
    }
}

bool cuiFSegText::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::KeyPress) {
        return OnMemoKey(static_cast<QKeyEvent*>(event)->key());
    }
    if (watched == memo_ && event->type() == QEvent::FocusOut) {
        // The line loses its selection with the focus; a character from the sheet replaces it.
        savedSelection_ = {memo_->selectionStart(), static_cast<int>(memo_->selectedText().size())};
    }
    if (sheet_ && watched == sheet_->Grid()->viewport() &&
        event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            OnSheetClick(mouse->position().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void cuiFSegText::HandBack(cmcCellCapsule& answer) {
    answer.inText = TextBytes(memo_->text());
    dispatch_(answer, 1);
}
