#include "loader/ui/TForm1.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "loader/LoaderTextTable.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "platform/ManualClock.h"
#include "platform/qt/QtTimerBackend.h"
#include "tests/loader/ui/LoaderTestApp.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"

namespace {

const char kTitle[] = "Merrow Rev.2.0 Flash Loader";

// A window whose ticks the test runs itself (no worker thread), on a line of its own and a clock
// that moves only as the sequence waits, so that no time-out depends on how busy the machine is.
class TForm1Test : public ::testing::Test {
protected:
    TForm1Test() {
        testsupport::EnsureLoaderTestApp();
        texts.SetLines(kLoaderTextTable);
        form = std::make_unique<TForm1>(texts, environment, TForm1Options{.runWorker = false});
        form->show();
    }
    ~TForm1Test() override { form.reset(); }

    template <typename T>
    T* Find(const char* name) const {
        return form->findChild<T*>(name);
    }
    QPlainTextEdit* Memo() const { return Find<QPlainTextEdit>("Memo1"); }
    QString MemoText() const { return Memo()->toPlainText(); }
    // Menu actions by caption; the first with that caption.
    QAction* MenuItem(const QString& caption) const {
        for (QAction* action : form->findChildren<QAction*>()) {
            if (action->text() == caption) {
                return action;
            }
        }
        return nullptr;
    }
    QList<QAction*> ToolButtons() const { return Find<QToolBar>("ToolBar1")->actions(); }
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            form->Timer1Timer();
        }
    }
    void TickToReady() {
        Tick(3);
        ASSERT_EQ(form->Sequence().GetState(), clsMainSeq::Ready);
    }
    bool ComMarked(int port) const {
        return MenuItem(QString("COM &%1").arg(port))->isChecked() &&
               ToolButtons()[port + 1]->isChecked();
    }

    testsupport::RecordingBoxes boxes;
    platform::ManualClock clock;
    testsupport::ScopedClock clockInstalled{&clock};
    testsupport::FakeSerialLine line;
    platform::qt::QtTimerBackend timers;
    testsupport::ScopedTimers timersInstalled{&timers};
    clsGTex texts;
    clsEnviron environment{"Fennmoor window test " + std::to_string(getpid())};
    std::unique_ptr<TForm1> form;
};

TEST_F(TForm1Test, WindowIsBuiltFromTheTable) {
    EXPECT_EQ(form->windowTitle(), kTitle);
    EXPECT_EQ(form->size(), QSize(560, 400));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());  // a single-size border

    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), "&File");
    EXPECT_FALSE(bar[0]->isVisible());
    EXPECT_EQ(bar[1]->text(), "&COM Port");
    QStringList file;
    for (QAction* item : bar[0]->menu()->actions()) {
        file << item->text();
    }
    EXPECT_EQ(file, QStringList({"&Open", "E&xit"}));
    QStringList ports;
    for (QAction* item : bar[1]->menu()->actions()) {
        ports << item->text();
    }
    EXPECT_EQ(ports, QStringList({"COM &1", "COM &2", "COM &3", "COM &4"}));

    const QList<QAction*> tools = ToolButtons();
    ASSERT_EQ(tools.size(), TForm1::kToolButtons);
    EXPECT_FALSE(tools[0]->isVisible());
    EXPECT_FALSE(tools[1]->isVisible());
    for (int n = 2; n < TForm1::kToolButtons; ++n) {
        EXPECT_TRUE(tools[n]->isVisible());
        EXPECT_FALSE(tools[n]->icon().isNull());
    }

    EXPECT_EQ(Find<QPushButton>("Button_Start")->text(), "OK");
    EXPECT_EQ(Find<QPushButton>("Button_Cancel")->text(), "Cancel");
    EXPECT_EQ(Find<QPushButton>("Button_Exit")->text(), "Exit");
    EXPECT_TRUE(Memo()->isReadOnly());
    EXPECT_TRUE(MemoText().startsWith(QString(kTitle) + "\n"));
    EXPECT_TRUE(MemoText().endsWith("\n\n"));
    EXPECT_EQ(form->MemoLineCount(), 3);
    const QProgressBar* progress = Find<QProgressBar>("ProgressBar1");
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 255);
    EXPECT_EQ(Memo()->font().family(), "Arial");
    EXPECT_EQ(Memo()->font().pointSize(), 10);
    // The buttons share the bar's edges and the memo ends above them.
    const QRect start = Find<QPushButton>("Button_Start")->geometry();
    const QRect exit = Find<QPushButton>("Button_Exit")->geometry();
    EXPECT_EQ(start.left(), progress->geometry().left());
    EXPECT_EQ(exit.right(), progress->geometry().right());
    EXPECT_EQ(Memo()->geometry().bottom() + 1, start.top() - 8);

    const QFileDialog& dialog = form->OpenDialog();
    EXPECT_EQ(dialog.defaultSuffix(), "mot");
    EXPECT_EQ(dialog.nameFilters(), QStringList({"ROM image files (*.mot)", "All files (*.*)"}));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.directory().absolutePath() + "/",
              QString::fromStdString(environment.GetProgramDir()));
}

TEST_F(TForm1Test, FirstTicksWarnAndSettleInReadyOnComOne) {
    TickToReady();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "For the Merrow/Selkie Conventional RADIOs ONLY.\n");
    EXPECT_EQ(boxes.boxes[0].caption, kTitle);
    EXPECT_TRUE(Find<QPushButton>("Button_Start")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("Button_Cancel")->isEnabled());
    EXPECT_TRUE(ComMarked(1));
    EXPECT_TRUE(MemoText().contains("Sum=$"));
    EXPECT_TRUE(MemoText().contains("Connect Transceiver (No.1)."));
    EXPECT_EQ(form->windowTitle(), kTitle);  // progress 0: the bare title
}

// The port can be chosen from the menu or the tool bar, but only while no load runs.
TEST_F(TForm1Test, ComPortChangesOnlyBetweenLoads) {
    TickToReady();
    MenuItem("COM &3")->trigger();
    EXPECT_EQ(environment.GetComPort(), 3);
    EXPECT_TRUE(ComMarked(3));
    EXPECT_FALSE(ComMarked(1));
    ToolButtons()[3]->trigger();  // COM 2
    EXPECT_EQ(environment.GetComPort(), 2);
    EXPECT_TRUE(ComMarked(2));

    form->Button_StartClick();
    ASSERT_EQ(form->Sequence().GetState(), clsMainSeq::Start_);
    MenuItem("COM &4")->trigger();
    ToolButtons()[2]->trigger();  // COM 1
    EXPECT_EQ(environment.GetComPort(), 2);
    EXPECT_TRUE(ComMarked(2));
    EXPECT_FALSE(ComMarked(4));
    EXPECT_FALSE(ComMarked(1));
}

TEST_F(TForm1Test, CancelFramesItsTextAndTheNextTickIsReady) {
    TickToReady();
    form->Button_CancelClick();  // nothing to cancel in Ready
    EXPECT_FALSE(MemoText().contains("* Cancel *"));
    form->Button_StartClick();
    Tick();
    EXPECT_FALSE(Find<QPushButton>("Button_Start")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("Button_Cancel")->isEnabled());
    form->Button_CancelClick();
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Standby);
    EXPECT_TRUE(MemoText().endsWith("\n\n* Cancel *\n\n"));
    Tick(2);
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Ready);
    EXPECT_TRUE(Find<QPushButton>("Button_Start")->isEnabled());
}

// In Standby Start asks for an S-record file instead; a chosen file replaces the one before.
TEST_F(TForm1Test, StartInStandbyAsksForAFile) {
    TickToReady();
    form->Button_StartClick();
    form->Button_CancelClick();
    ASSERT_EQ(form->Sequence().GetState(), clsMainSeq::Standby);
    const std::filesystem::path file =
        std::filesystem::path(::testing::TempDir()) / ("rom-" + std::to_string(getpid()) + ".mot");
    std::ofstream(file) << "S00600004844521B\n";
    QFileDialog& dialog = form->OpenDialog();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = dialog.isVisible();
        dialog.setDirectory(QString::fromStdString(file.parent_path().string()));
        dialog.selectFile(QString::fromStdString(file.filename().string()));
        static_cast<QDialog&>(dialog).accept();  // checks the file, as OK does
    });
    form->Button_StartClick();
    EXPECT_TRUE(shown);
    EXPECT_EQ(form->Sequence().GetRomFileName(), file.string());
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Standby);
    std::filesystem::remove(file);
}

TEST_F(TForm1Test, EnterPressesStartAndEscapeCancel) {
    TickToReady();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Memo()->setFocus();
    QTest::keyClick(Memo(), Qt::Key_Return);
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Start_);
    QTest::keyClick(form.get(), Qt::Key_Escape);  // Cancel is enabled by the next tick only
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Start_);
    Tick();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Standby);
}

// At 121 lines after a tick the first ten go; 120 stay as they are.
TEST_F(TForm1Test, MemoKeepsItsLineLimit) {
    TickToReady();
    Memo()->setPlainText("");
    for (int n = 1; n <= 120; ++n) {
        Memo()->appendPlainText(QString("line %1").arg(n));
    }
    Tick();
    EXPECT_EQ(form->MemoLineCount(), 120);
    Memo()->appendPlainText("line 121");
    Tick();
    EXPECT_EQ(form->MemoLineCount(), 111);
    EXPECT_TRUE(MemoText().startsWith("line 11\n"));
    EXPECT_TRUE(MemoText().endsWith("line 121"));
}

// A size the table does not hold is the class library's conversion failure, which ends the
// program with its box (apps/fennmoor); the window is not built.
TEST(TForm1TableTest, ASizeThatIsNoNumberFailsTheWindow) {
    testsupport::EnsureLoaderTestApp();
    static const char* const lines[] = {"#Sys_AppTitle", "Title", "#End_Of_Ovl"};
    clsGTex texts;
    texts.SetLines(lines);
    clsEnviron environment("Fennmoor table test " + std::to_string(getpid()));
    try {
        TForm1 form(texts, environment, TForm1Options{.runWorker = false});
        FAIL();
    } catch (const std::invalid_argument& failure) {
        EXPECT_STREQ(failure.what(), "'**** ERROR !!! ****' is not a valid integer value.");
    }
}

}  // namespace
