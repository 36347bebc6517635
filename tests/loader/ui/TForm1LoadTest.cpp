// Whole loads from the window, as a user runs them: the worker thread paces the sequence, and
// COM 1 is the simulated boot loader on a pty (MERROW_COM1).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <string>

#include "common/cmcComm.h"
#include "loader/LoaderTextTable.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/ui/TForm1.h"
#include "platform/qt/QtTimerBackend.h"
#include "tests/loader/ui/LoaderTestApp.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"

namespace {

constexpr int kLoadMs = 120000;

class TForm1LoadTest : public ::testing::Test {
protected:
    TForm1LoadTest() {
        testsupport::EnsureLoaderTestApp();
        texts.SetLines(kLoaderTextTable);
    }
    ~TForm1LoadTest() override {
        form.reset();
        radio.kill();
        radio.waitForFinished();
    }

    // Starts the simulated radio (unpaced) and the window; returns once the window is Ready.
    void StartRadioAndWindow(const QStringList& faults = {}) {
        QStringList args{"--rate", "0"};
        for (const QString& fault : faults) {
            args << "--fault" << fault;
        }
        radio.start(BOOT_RADIO_PTY, args);
        ASSERT_TRUE(radio.waitForReadyRead(5000));
        const QByteArray path = radio.readLine().trimmed();
        ASSERT_FALSE(path.isEmpty());
        qputenv("MERROW_COM1", path);
        form = std::make_unique<TForm1>(texts, environment);
        form->show();
        progress = form->findChild<QProgressBar*>("ProgressBar1");
        QObject::connect(progress, &QProgressBar::valueChanged,
                         [this](int value) { highest = std::max(highest, value); });
        QObject::connect(form.get(), &QWidget::windowTitleChanged,
                         [this](const QString& title) { titles << title; });
        ASSERT_TRUE(ServeUntilState(clsMainSeq::Ready, 5000));
    }
    bool ServeUntilState(int state, int ms) {
        return testsupport::ServeUntil([&] { return form->Sequence().GetState() == state; }, ms);
    }
    void PressStart() { form->findChild<QPushButton*>("Button_Start")->click(); }
    QString MemoText() const { return form->findChild<QPlainTextEdit*>("Memo1")->toPlainText(); }
    // Whether the texts stand in the memo in this order.
    bool MemoShowsInOrder(const QStringList& ordered) const {
        const QString memo = MemoText();
        qsizetype from = 0;
        for (const QString& text : ordered) {
            from = memo.indexOf(text, from);
            if (from < 0) {
                ADD_FAILURE() << "not in order: " << text.toStdString() << "\n"
                              << memo.toStdString();
                return false;
            }
        }
        return true;
    }

    testsupport::RecordingBoxes boxes;
    platform::qt::QtTimerBackend timers;
    testsupport::ScopedTimers timersInstalled{&timers};
    clsGTex texts;
    clsEnviron environment{"Fennmoor load test " + std::to_string(getpid())};
    QProcess radio;
    std::unique_ptr<TForm1> form;
    QProgressBar* progress = nullptr;
    int highest = 0;
    QStringList titles;
};

TEST_F(TForm1LoadTest, StartRunsALoadToCompleted) {
    StartRadioAndWindow();
    PressStart();
    ASSERT_TRUE(
        testsupport::ServeUntil([&] { return form->Sequence().GetCompletedCount() == 1; }, kLoadMs))
        << MemoText().toStdString();
    // Ready's first step clears the progress.
    ASSERT_TRUE(testsupport::ServeUntil(
        [&] { return form->Sequence().GetState() == clsMainSeq::Ready && progress->value() == 0; },
        5000));
    EXPECT_TRUE(MemoShowsInOrder({"Connect Transceiver (No.1).", "COM Open.....[OK]",
                                  "Connecting.....[OK]", "Pre Processing.....[OK]",
                                  "Writing ROM Data.....[OK]", "Disconnecting.....[OK]",
                                  "Completed (No.1).", "Connect Transceiver (No.2)."}));
    EXPECT_FALSE(MemoText().contains("Error"));
    EXPECT_EQ(highest, 255);
    EXPECT_TRUE(titles.contains("100% - Merrow Rev.2.0 Flash Loader"));
    EXPECT_EQ(form->windowTitle(), "Merrow Rev.2.0 Flash Loader");
    // The window system gets each title as it stands: no display name of the application for
    // Qt to add to it (the last title with its percentage, say).
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(boxes.boxes.size(), 1u);  // the warning at start only
    // For looking at the window as a user sees it after a load.
    if (const QString shot = qEnvironmentVariable("MERROW_LOADER_SCREENSHOT"); !shot.isEmpty()) {
        form->grab().save(shot);
    }
}

TEST_F(TForm1LoadTest, CancelDuringTheUploadClosesThePort) {
    StartRadioAndWindow();
    PressStart();
    ASSERT_TRUE(ServeUntilState(clsMainSeq::RomW_Data, kLoadMs)) << MemoText().toStdString();
    ASSERT_TRUE(testsupport::ServeUntil([&] { return progress->value() > 0; }, 10000));
    form->findChild<QPushButton*>("Button_Cancel")->click();
    EXPECT_EQ(form->Sequence().GetState(), clsMainSeq::Standby);
    ASSERT_TRUE(ServeUntilState(clsMainSeq::Ready, 5000));
    EXPECT_TRUE(MemoText().contains("\n\n* Cancel *\n\n"));
    EXPECT_EQ(progress->value(), 0);
    EXPECT_EQ(form->Sequence().GetCompletedCount(), 0);
    cmcComm port;  // the loader has let the device go
    EXPECT_TRUE(port.Open(1, "9600,N,8,1"));
    port.Close();
}

TEST_F(TForm1LoadTest, AFaultShowsItsErrorTextAndTheWindowIsReadyAgain) {
    StartRadioAndWindow({"refuse-ack=3"});
    PressStart();
    ASSERT_TRUE(testsupport::ServeUntil([&] { return boxes.boxes.size() == 2; }, kLoadMs))
        << MemoText().toStdString();
    const std::string error =
        "Error in writing ROM data.\r\n\r\nCheck the following:\r\n\r\n- The COM port "
        "settings.\r\n- Cable connections.\r\n- Transceiver power is ON.\r\n- Fully charged "
        "battery is used.";
    EXPECT_EQ(boxes.boxes[1].text, error);
    EXPECT_EQ(boxes.boxes[1].icon, platform::BoxIcon::Error);
    ASSERT_TRUE(ServeUntilState(clsMainSeq::Ready, 5000));
    EXPECT_TRUE(MemoShowsInOrder(
        {"Writing ROM Data.....", "\n***********************\n" +
                                      QString::fromStdString(error).replace("\r\n", "\n") +
                                      "\n***********************\n\n"}));
    EXPECT_FALSE(MemoText().contains("Completed (No."));
    EXPECT_TRUE(form->findChild<QPushButton*>("Button_Start")->isEnabled());
}

}  // namespace
