#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "common/WindowRect.h"
#include "radio/sheet/PrintPages.h"

class QPainter;
class QPrinter;
class QWidget;
class cmcGTex;
class cuiMain;
class cuiPrintingDialog;
class cuiSheet;

// The print command's job, from the printer set-up to its last sheet: the printing window with
// its Cancel, one sheet printed at each heartbeat tick, each sheet built anew for the printer
// in a font that makes every page fit, split into pages and framed with a header and footer.
// The main window owns one and forwards its print commands to it.
class cuiPrintJob {
public:
    // The main window and the table are not owned.
    cuiPrintJob(cuiMain& main, cmcGTex& table);
    ~cuiPrintJob();
    cuiPrintJob(const cuiPrintJob&) = delete;
    cuiPrintJob& operator=(const cuiPrintJob&) = delete;

    // Mode 0 the open sheet, 1 every sheet of the tree: after the printer set-up the job is
    // prepared, and the heartbeat prints one sheet a tick. Any step that fails starts nothing.
    void Start(int mode);
    bool Active() const { return active_; }
    // The heartbeat's part: the next sheet, or the job's end.
    void Tick();
    // The printing window's Cancel: the sheets not printed yet print nothing.
    void Cancel() { cancel_ = true; }
    cuiPrintingDialog* Dialog() const;

    // Prints the sheet of a spec on the printer within the print area, page after page of
    // column and row chunks in a font that makes each chunk fit; returns the pages. The
    // painter begins the document on the printer with the first page of all (the caller ends
    // it) and is otherwise on a page already printed.
    int PrintSheet(QPrinter& printer, QPainter& painter, const std::string& spec,
                   const WindowRect& area);
    // The header and footer of a page (drawn unless measureOnly); returns the cells' area.
    WindowRect DrawPageFrame(QPrinter& printer, QPainter& painter, cuiSheet& sheet,
                             const WindowRect& area, bool measureOnly);
    // A page's cells (painted unless measureOnly) from the area's top left; returns the
    // rectangle they cover.
    WindowRect RenderPageCells(QPainter& painter, cuiSheet& sheet, const WindowRect& area,
                               const PageChunk& chunk, bool measureOnly);
    // The counts of columns and rows of the pages that fit the cells' area.
    void SplitPages(cuiSheet& sheet, const WindowRect& area, std::vector<int>& colChunks,
                    std::vector<int>& rowChunks);

private:
    bool SetUpPrinter(QPrinter& printer);
    void ShowDialog();
    bool BeginPage(QPrinter& printer, QPainter& painter);
    void PrintNode();
    void End();
    std::unique_ptr<cuiSheet> MakePrintSheet(QWidget* parent, QPrinter& printer,
                                             const std::string& spec, int fontHeight);

    cuiMain& main_;
    cmcGTex& table_;
    bool active_ = false;
    int mode_ = 0;
    std::string currentSpec_;  // mode 0: the sheet open when the job began
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;  // on the printer from the first page
    QPointer<cuiPrintingDialog> dialog_;
    WindowRect area_;
    bool cancel_ = false;
    int node_ = 0;
};
