// Printing the sheets into PDF files, offscreen: the print commands of the File menu through the
// system's print dialog (no printer is installed here, so the job goes into a PDF file), the
// printing window and its Cancel, the split of a sheet into pages on A4 and Letter, the font
// shrunk for a column wider than the page, and a printed page read back as text and as a
// picture. With MERROW_PRINT_SHOT=<file.png> the first page of the current-sheet job is kept,
// with MERROW_DIALOG_SHOTS=<dir> the printing window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "radio/cells/cmcCellObj.h"
#include "tests/ui/support/DialogRig.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/dialogs/cuiPrintingDialog.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiMenu.h"

namespace {

using testsupport::MainRig;
using testsupport::ProgramFolder;

namespace fs = std::filesystem;

constexpr int kTickMs = 50;

std::string Number(int n) {
    std::string text = std::to_string(n);
    return std::string(3 - std::min<size_t>(3, text.size()), '0') + text;
}

// Sheets of the test: a channel plan of 120 numbered rows under a header row, six wide columns
// beside a fixed number column, whose "Tone" heading spans its last two columns; a sheet with
// one column wider than any page; a sheet that does not print.
std::vector<std::string> TestSheets() {
    std::vector<std::string> lines = {
        "#Test_Plan_Style",
        "(TitleString=Channel Plan)(FixedCols=1)(FixedRows=1)",
        "#Test_Plan_BasicCell",
        "{}",
        "#Test_Plan_Cells",
        "{WH}No.|{W}Receive Frequency Column|{W}Transmit Frequency Column|{W}Channel Name Column|"
        "{W}Squelch Level Column|{W}Tone|{+W}|",
    };
    for (int row = 1; row <= 120; ++row) {
        const std::string n = Number(row);
        lines.push_back("{WH}R" + n + "|{}rx" + n + "|{}tx" + n + "|{}name" + n + "|{}sq" + n +
                        "|{W}enc" + n + "|{W}decode tone dec" + n + "|");
    }
    const std::string wide(400, 'W');
    lines.insert(lines.end(), {
                                  "#Test_Wide_Style",
                                  "(TitleString=Wide Comment)",
                                  "#Test_Wide_BasicCell",
                                  "{}",
                                  "#Test_Wide_Cells",
                                  "{WH}Begin" + wide + "End|",
                                  "#Test_NoPrint_Style",
                                  "(TitleString=Screen Only)(NoPrint)",
                                  "#Test_NoPrint_BasicCell",
                                  "{}",
                                  "#Test_NoPrint_Cells",
                                  "{WH}Not on paper|",
                              });
    return lines;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int PdfPages(const fs::path& path) {
    const std::string pdf = ReadFile(path);
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

bool HavePoppler() {
    return std::system(
               "command -v pdftotext >/dev/null 2>&1 && command -v pdftoppm >/dev/null "
               "2>&1") == 0;
}

// The text of page n (from 1) as the reader of a PDF sees it.
std::string PageText(const fs::path& pdf, int n) {
    const fs::path out = pdf.parent_path() / ("page" + std::to_string(n) + ".txt");
    const std::string command = "pdftotext -layout -f " + std::to_string(n) + " -l " +
                                std::to_string(n) + " '" + pdf.string() + "' '" + out.string() +
                                "'";
    return std::system(command.c_str()) == 0 ? ReadFile(out) : std::string();
}

// Page n rendered at the resolution, as a user would see it.
QImage PageImage(const fs::path& pdf, int n, int dpi) {
    const fs::path base = pdf.parent_path() / "shot";
    const std::string command = "pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " +
                                std::to_string(n) + " -l " + std::to_string(n) + " '" +
                                pdf.string() + "' '" + base.string() + "'";
    return std::system(command.c_str()) == 0
               ? QImage(QString::fromStdString(base.string() + ".png"))
               : QImage();
}

// The share of dark pixels in a band of rows of the picture.
double DarkShare(const QImage& image, int top, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return static_cast<double>(dark) / (image.width() * std::max(1, bottom - top));
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(documents);
        fs::create_directories(documents);
        rig.settings.currentFolder = documents.string();
        rig.Start();
    }
    void TearDown() override { fs::remove_all(documents); }

    QAction* MenuCommand(const QString& caption) {
        for (QAction* menu : rig.form->menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->text() == caption) {
                    return item;
                }
            }
        }
        return nullptr;
    }

    // Runs a File menu command while the print dialog, once it is up, is answered.
    void RunPrintCommand(const QString& caption, bool accept = true) {
        QAction* command = MenuCommand(caption);
        ASSERT_TRUE(command) << caption.toStdString();
        AnswerPrintDialog([command] { command->trigger(); }, accept);
    }

    void AnswerPrintDialog(const std::function<void()>& run, bool accept = true) {
        bool answered = false;
        std::function<void()> answer = [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                answered = true;
                accept ? dialog->accept() : dialog->reject();
            } else {
                QTimer::singleShot(10, answer);
            }
        };
        QTimer::singleShot(0, answer);
        run();
        EXPECT_TRUE(answered) << "the print dialog was shown";
    }

    void OpenSheet(const std::string& spec) {
        rig.main->OpenSheet(spec);
        QApplication::processEvents();
    }

    // Lets the heartbeat run the job to its end; returns the ticks it took.
    int RunJob() {
        int ticks = 0;
        for (; rig.main->Printing() && ticks < 1000; ++ticks) {
            rig.Advance(kTickMs);
        }
        return ticks;
    }

    fs::path documents = fs::temp_directory_path() / ("tarnwick-print-" + std::to_string(getpid()));
    fs::path pdf = documents / "Untitled.pdf";
    ProgramFolder folder{{.extraSections = TestSheets(), .leftOut = {}, .helpTable = {}}};
    MainRig rig;
};

TEST_F(PrintingTest, CurrentSheetGoesIntoAPdfWithFrameAndReadableCells) {
    OpenSheet("Test_Plan");
    RunPrintCommand("&Print Current Sheet...");
    // No printer here: the user is told, and the dialog offers the PDF file.
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_NE(rig.boxes.boxes[0].text.find("No printer is installed"), std::string::npos);
    ASSERT_TRUE(rig.main->Printing());
    cuiPrintingDialog* window = rig.main->PrintingDialog();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Printing");
    EXPECT_EQ(window->CancelButton()->text(), "Cancel");
    EXPECT_FALSE(rig.form->IsFormEnabled());
    testsupport::DialogRig::SaveShot(*window, "printing");

    RunJob();
    EXPECT_FALSE(rig.main->Printing());
    EXPECT_FALSE(rig.main->PrintingDialog());
    EXPECT_TRUE(rig.form->IsFormEnabled());
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GT(PdfPages(pdf), 1);

    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext and pdftoppm are not installed";
    }
    const std::string text = PageText(pdf, 1);
    EXPECT_NE(text.find("Channel Plan"), std::string::npos) << text;
    EXPECT_NE(text.find("Tarnwick Version 1.0"), std::string::npos) << text;
    EXPECT_NE(text.find("Zelk Radio Communications"), std::string::npos) << text;
    EXPECT_NE(text.find("Receive Frequency Column"), std::string::npos) << text;
    EXPECT_NE(text.find("R001"), std::string::npos) << text;

    // A4 at 50 dpi: the header line with its bar on top, the footer at the bottom, the cells
    // between, all within the margins.
    const QImage page = PageImage(pdf, 1, 50);
    ASSERT_FALSE(page.isNull());
    if (const char* shot = std::getenv("MERROW_PRINT_SHOT")) {
        page.save(shot);
    }
    EXPECT_GT(DarkShare(page, 20, 45), 0.05) << "header and bar";
    EXPECT_GT(DarkShare(page, 60, page.height() - 60), 0.02) << "cells";
    EXPECT_GT(DarkShare(page, page.height() - 45, page.height() - 20), 0.02) << "footer and bar";
    EXPECT_EQ(DarkShare(page, 0, 20), 0.0) << "top margin";
    EXPECT_EQ(DarkShare(page, page.height() - 18, page.height()), 0.0) << "bottom margin";
}

// Every node of the tree prints its sheet, one a tick, all into one document.
TEST_F(PrintingTest, AllSheetsPrintOneSheetATickIntoOneDocument) {
    OpenSheet("Test_Plan");
    RunPrintCommand("Print A&ll Sheets...");
    ASSERT_TRUE(rig.main->Printing());
    const int nodes = rig.main->Tree()->NodeCount();
    const int ticks = RunJob();
    EXPECT_GE(ticks, nodes - 1);
    EXPECT_LE(ticks, nodes + 1);
    EXPECT_TRUE(rig.form->IsFormEnabled());
    // Every sheet gives a page at least, but for the channel banks, which print nothing while
    // they are empty.
    int banks = 0;
    for (int i = 0; i < nodes; ++i) {
        const cmcCellObj* cell = cuiTree::CellOf(rig.main->Tree()->NodeAt(i));
        banks += cell && cell->optionText && cell->optionText->starts_with("[St_ChBank]") ? 1 : 0;
    }
    EXPECT_GT(banks, 0);
    EXPECT_GE(PdfPages(pdf), nodes - banks);
    if (HavePoppler()) {
        // In the tree's order: the radio's cover, then the common settings' cover.
        EXPECT_EQ(PageText(pdf, 1).rfind("Merrow", 0), 0u) << PageText(pdf, 1);
        EXPECT_EQ(PageText(pdf, 2).rfind("Common Settings", 0), 0u) << PageText(pdf, 2);
    }
}

TEST_F(PrintingTest, CancelDuringAllSheetsStopsAtTheNextSheet) {
    OpenSheet("Test_Plan");
    RunPrintCommand("Print A&ll Sheets...");
    rig.Advance(3 * kTickMs);
    ASSERT_TRUE(rig.main->Printing());
    QTest::mouseClick(rig.main->PrintingDialog()->CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(rig.main->Printing()) << "Cancel only asks";
    EXPECT_LE(RunJob(), 1);
    EXPECT_FALSE(rig.main->PrintingDialog());
    EXPECT_TRUE(rig.form->IsFormEnabled());
    const int pages = PdfPages(pdf);
    EXPECT_GE(pages, 2);
    EXPECT_LE(pages, 4);
}

TEST_F(PrintingTest, CancelledPrintDialogStartsNothing) {
    OpenSheet("Test_Plan");
    RunPrintCommand("&Print Current Sheet...", false);
    EXPECT_FALSE(rig.main->Printing());
    EXPECT_FALSE(rig.main->PrintingDialog());
    EXPECT_TRUE(rig.form->IsFormEnabled());
    EXPECT_FALSE(fs::exists(pdf));
}

// Prints a sheet alone into a PDF of the paper size, as the heartbeat prints a sheet of a job;
// returns the pages printed.
int PrintAlone(MainRig& rig, const std::string& spec, QPageSize::PageSizeId paper,
               const fs::path& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setPageSize(QPageSize(paper));
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    QPainter painter;
    const WindowRect area = PrintArea(rig.table.GetLine("GI_Sys_Printer_Margins", 0),
                                      printer.width(), printer.height(), printer.logicalDpiY());
    const int pages = rig.main->PrintSheet(printer, painter, spec, area);
    if (painter.isActive()) {
        painter.end();
    }
    return pages;
}

struct Paper {
    QPageSize::PageSizeId id;
    const char* name;
    int rowChunks;
};

class PrintingPaperTest : public PrintingTest, public ::testing::WithParamInterface<Paper> {};

// Letter is wider and shorter than A4: the same two column chunks, more row chunks.
TEST_P(PrintingPaperTest, LargeSheetSplitsIntoColumnAndRowChunks) {
    const Paper paper = GetParam();
    const fs::path file = documents / (std::string(paper.name) + ".pdf");
    const int pages = PrintAlone(rig, "Test_Plan", paper.id, file);
    EXPECT_EQ(pages, 2 * paper.rowChunks);
    EXPECT_EQ(PdfPages(file), pages);
}

INSTANTIATE_TEST_SUITE_P(Papers, PrintingPaperTest,
                         ::testing::Values(Paper{QPageSize::A4, "A4", 2},
                                           Paper{QPageSize::Letter, "Letter", 3}),
                         [](const auto& tested) { return std::string(tested.param.name); });

// The pages of the channel plan: the header row and the number column on every page, the
// "Tone" heading never cut from the column it spans.
TEST_F(PrintingTest, EveryPageRepeatsTheFixedRowAndColumn) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const fs::path file = documents / "plan.pdf";
    ASSERT_EQ(PrintAlone(rig, "Test_Plan", QPageSize::A4, file), 4);
    const std::string first = PageText(file, 1);
    const std::string second = PageText(file, 2);
    const std::string third = PageText(file, 3);
    for (const std::string* page : {&first, &second, &third}) {
        EXPECT_NE(page->find("No."), std::string::npos) << *page;
    }
    EXPECT_NE(first.find("Squelch Level Column"), std::string::npos) << first;
    EXPECT_EQ(first.find("Tone"), std::string::npos) << first;
    EXPECT_NE(second.find("Tone"), std::string::npos) << second;
    EXPECT_NE(second.find("decode tone dec001"), std::string::npos) << second;
    EXPECT_NE(second.find("R001"), std::string::npos) << second;
    EXPECT_EQ(second.find("rx001"), std::string::npos) << second;
    EXPECT_EQ(third.find("R001"), std::string::npos) << third;
    EXPECT_NE(third.find("Receive Frequency Column"), std::string::npos) << third;
}

// A column wider than the page is printed alone, in a font shrunk until it fits.
TEST_F(PrintingTest, ColumnWiderThanThePageShrinksItsFont) {
    const fs::path file = documents / "wide.pdf";
    EXPECT_EQ(PrintAlone(rig, "Test_Wide", QPageSize::A4, file), 1);
    if (HavePoppler()) {
        std::string text = PageText(file, 1);
        std::erase_if(text, [](char c) { return c == '\n' || c == ' '; });
        EXPECT_NE(text.find("Begin" + std::string(400, 'W') + "End"), std::string::npos) << text;
    }
}

// Print Current Sheet is offered only while a sheet that prints is open.
TEST_F(PrintingTest, PrintCurrentSheetIsGreyedWithoutASheetThatPrints) {
    const auto offered = [this] {
        rig.main->Menu()->UpdateAll();
        return MenuCommand("&Print Current Sheet...")->isEnabled();
    };
    OpenSheet("Test_Plan");
    EXPECT_TRUE(offered());
    OpenSheet("Test_NoPrint");
    EXPECT_FALSE(offered());
    MenuCommand("&Print Current Sheet...")->trigger();
    EXPECT_FALSE(rig.main->Printing());
    rig.main->CloseSheet();
    EXPECT_FALSE(offered());
    EXPECT_TRUE(MenuCommand("Print A&ll Sheets...")->isEnabled());
}

// A job without a page leaves no document: no blank sheet, no empty PDF file.
TEST_F(PrintingTest, SheetThatDoesNotPrintGivesNoDocument) {
    OpenSheet("Test_NoPrint");
    AnswerPrintDialog([this] { rig.main->Print(0); });
    EXPECT_TRUE(rig.main->Printing());
    RunJob();
    EXPECT_TRUE(rig.form->IsFormEnabled());
    EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
