#include "ui/shell/cuiPrintJob.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTreeWidget>

#include "common/CurrentEvMan.h"
#include "common/DecimalNumber.h"
#include "common/GetTextBlock.h"
#include "common/cmcGTex.h"
#include "platform/MessageBox.h"
#include "radio/cells/cmcCellObj.h"
#include "ui/dialogs/cuiPrintingDialog.h"
#include "ui/paint/cuiCanvas.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/cuiMain.h"
#include "ui/widgets/CentreWindow.h"

namespace {

// The largest points a table may give the printed fonts: beyond it a page holds no cell.
constexpr int kMaxPrintPoints = 72;

// A font size in points on the printer as the negative pixel height of its characters.
int PointsToHeight(int points, int dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

int TablePoints(cmcGTex& table, const std::string& key) {
    return std::clamp(ReadDecimal(table.GetLine(key, 0)).value, 1, kMaxPrintPoints);
}

// The sheet's sizes as the page split sees them; a column whose cell in a fixed row is joined
// to its left neighbour cannot begin a page.
PageGrid PageGridOf(cuiSheet& sheet) {
    const cuiGrid& grid = *sheet.Grid();
    const cuiSheetCells& cells = sheet.Cells();
    PageGrid page;
    page.fixedCols = grid.FixedCols();
    page.fixedRows = grid.FixedRows();
    for (int col = 0; col < grid.ColCount(); ++col) {
        page.colWidths.push_back(grid.ColWidth(col));
        bool joined = false;
        for (int row = 0; row < page.fixedRows && !joined; ++row) {
            joined = cells.InRange(col, row) && cells.At(col, row).Tail();
        }
        page.joinedCols.push_back(joined);
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        page.rowHeights.push_back(grid.RowHeight(row));
    }
    return page;
}

}  // namespace

cuiPrintJob::cuiPrintJob(cuiMain& main, cmcGTex& table) : main_(main), table_(table) {}

cuiPrintJob::~cuiPrintJob() = default;

void cuiPrintJob::Start(int mode) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ClosePopups);
    }
    TForm1* form = main_.Form();
    if (!main_.OpenedSheet() || !form || active_) {
        return;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!SetUpPrinter(*printer)) {
        return;
    }
    form->Lock();
    ShowDialog();
    cancel_ = false;
    painter_ = std::make_unique<QPainter>();
    printer->setCopyCount(1);
    area_ = PrintArea(table_.GetLine("GI_Sys_Printer_Margins", 0), printer->width(),
                      printer->height(), printer->logicalDpiY());
    node_ = 0;
    printer_ = std::move(printer);
    mode_ = mode;
    currentSpec_ = main_.OpenedSheetSpec();
    active_ = true;
    main_.WakeHeartbeat();
}

// Without a printer the job goes into a PDF file named after the document; the system's print
// dialog offers the file beside the printers in any case.
bool cuiPrintJob::SetUpPrinter(QPrinter& printer) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        platform::Boxes().Show(GetTextBlock(table_, "GI_Sys_Printer_NoPrinter"),
                               table_.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Information,
                               platform::BoxButtons::Ok);
        std::string name = main_.GetFileName();
        const size_t dot = name.find_last_of('.');
        if (dot != std::string::npos && dot > name.find_last_of('/') + 1) {
            name.erase(dot);
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(name + ".pdf"));
    }
    QPrintDialog dialog(&printer, main_.Form());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    // The table's margins are the margins of a PDF page.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    }
    return true;
}

void cuiPrintJob::ShowDialog() {
    auto* dialog = new cuiPrintingDialog(main_.Form(), table_, [this] { Cancel(); });
    CentreWindow(*dialog, main_.Form());
    dialog->show();
    QApplication::processEvents();
    dialog_ = dialog;
}

cuiPrintingDialog* cuiPrintJob::Dialog() const {
    return dialog_.data();
}

// One sheet a tick; a cancelled job ends at its next tick, since no sheet after the cancel
// would print anything.
void cuiPrintJob::Tick() {
    iuiTree* tree = main_.Tree();
    const int nodes = mode_ == 0 || !tree ? 1 : tree->NodeCount();
    if (!cancel_ && node_ < nodes) {
        PrintNode();
        ++node_;
    }
    if (cancel_ || node_ >= nodes) {
        End();
    }
}

// The document begins with its first page, so a job that prints no page leaves no empty
// document behind (neither a blank sheet of paper nor an empty PDF file).
bool cuiPrintJob::BeginPage(QPrinter& printer, QPainter& painter) {
    if (painter.isActive()) {
        return printer.newPage();
    }
    if (painter.begin(&printer)) {
        return true;
    }
    cancel_ = true;
    platform::Boxes().Show(table_.GetLine("GI_Sys_Printer_Failed", 0),
                           table_.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Error,
                           platform::BoxButtons::Ok);
    return false;
}

// A node without a sheet prints nothing.
void cuiPrintJob::PrintNode() {
    std::string spec = currentSpec_;
    if (mode_ != 0) {
        const cmcCellObj* cell = cuiTree::CellOf(main_.Tree()->NodeAt(node_));
        spec = cell && cell->optionText ? *cell->optionText : std::string();
    }
    if (!spec.empty()) {
        PrintSheet(*printer_, *painter_, spec, area_);
    }
}

void cuiPrintJob::End() {
    if (painter_ && painter_->isActive()) {
        painter_->end();
    }
    painter_.reset();
    printer_.reset();
    delete dialog_.data();
    active_ = false;
    if (TForm1* form = main_.Form()) {
        form->Unlock();
    }
}

std::unique_ptr<cuiSheet> cuiPrintJob::MakePrintSheet(QWidget* parent, QPrinter& printer,
                                                      const std::string& spec, int fontHeight) {
    std::unique_ptr<cuiSheet> sheet = main_.CreateSheet(parent, spec);
    sheet->SetPrinter(&printer);
    sheet->SetFontHeight(fontHeight);
    sheet->Show();
    return sheet;
}

// A chunk that does not fit is tried again at most three times in a font shrunk to fit; a
// font shrunk for one chunk stays for the chunks after it.
int cuiPrintJob::PrintSheet(QPrinter& printer, QPainter& painter, const std::string& spec,
                            const WindowRect& area) {
    constexpr int kFittingAttempts = 3;
    const std::unique_ptr<QWidget> form = std::make_unique<QWidget>(main_.Form());
    form->hide();
    int height =
        PointsToHeight(TablePoints(table_, "GI_Sys_Printer_FontPoints"), printer.logicalDpiY());
    std::unique_ptr<cuiSheet> sheet = MakePrintSheet(form.get(), printer, spec, height);
    const WindowRect cellArea = DrawPageFrame(printer, painter, *sheet, area, true);
    std::vector<int> colChunks;
    std::vector<int> rowChunks;
    SplitPages(*sheet, cellArea, colChunks, rowChunks);
    const int firstCol = sheet->Grid()->FixedCols();
    int pages = 0;
    PageChunk chunk{firstCol, sheet->Grid()->FixedRows(), 0, 0};
    for (const int rows : rowChunks) {
        chunk.rows = rows;
        chunk.firstCol = firstCol;
        for (const int cols : colChunks) {
            chunk.cols = cols;
            for (int attempt = 0; attempt < kFittingAttempts; ++attempt) {
                if (!sheet) {
                    sheet = MakePrintSheet(form.get(), printer, spec, height);
                }
                if (!sheet->IsPrintable() || cancel_) {
                    break;
                }
                const WindowRect covered = RenderPageCells(painter, *sheet, cellArea, chunk, true);
                if (ChunkFits(covered, cellArea)) {
                    break;
                }
                height = ShrunkFontHeight(height, covered, cellArea);
                sheet.reset();
            }
            if (!sheet) {
                sheet = MakePrintSheet(form.get(), printer, spec, height);
            }
            if (!sheet->IsPrintable() || cancel_) {
                return pages;
            }
            if (!BeginPage(printer, painter)) {
                return pages;
            }
            RenderPageCells(painter, *sheet, DrawPageFrame(printer, painter, *sheet, area, false),
                            chunk, false);
            ++pages;
            chunk.firstCol += cols;
        }
        chunk.firstRow += rows;
    }
    return pages;
}

WindowRect cuiPrintJob::DrawPageFrame(QPrinter& printer, QPainter& painter, cuiSheet& sheet,
                                      const WindowRect& area, bool measureOnly) {
    cmcFont font;
    font.name = sheet.TitleFont() ? sheet.TitleFont()->name : std::string();
    font.height =
        PointsToHeight(TablePoints(table_, "GI_Sys_Printer_FrameFont"), printer.logicalDpiY());
    font.colour = 0x000000;
    const PageFrame frame = FramePage(area, font.height);
    if (measureOnly) {
        return frame.cells;
    }
    cuiCanvas canvas(painter, QPalette());
    canvas.SetFont(font);
    canvas.TextOut(area.left, frame.headerTop, sheet.GetTitle());
    const std::string program = table_.GetLine("GI_Sys_AppTitleRev", 0);
    canvas.TextOut(area.Right() - canvas.TextWidth(program) - 1, frame.headerTop, program);
    canvas.FillRect({area.left, frame.headerBar, area.width, frame.bar}, 0x000000);
    const std::string maker = table_.GetLine("GI_Sys_Maker", 0);
    canvas.TextOut(area.Right() - canvas.TextWidth(maker) - 1, frame.footerTop, maker);
    canvas.FillRect({area.left, frame.footerBar, area.width, frame.bar}, 0x000000);
    return frame.cells;
}

WindowRect cuiPrintJob::RenderPageCells(QPainter& painter, cuiSheet& sheet, const WindowRect& area,
                                        const PageChunk& chunk, bool measureOnly) {
    const PlacedChunk placed = PlaceChunk(PageGridOf(sheet), chunk, area.left, area.top);
    if (!measureOnly) {
        for (const PlacedCell& cell : placed.cells) {
            const WindowRect& r = cell.rect;
            sheet.DrawCell(painter, cell.col, cell.row, QRect(r.left, r.top, r.width, r.height));
        }
    }
    return placed.covered;
}

void cuiPrintJob::SplitPages(cuiSheet& sheet, const WindowRect& area, std::vector<int>& colChunks,
                             std::vector<int>& rowChunks) {
    const PageGrid grid = PageGridOf(sheet);
    colChunks = SplitColumns(grid, area.width);
    rowChunks = SplitRows(grid, area.height);
}
