#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "loader/LoaderImage.h"
#include "loader/SequenceMemo.h"

class QAction;
class QFileDialog;
class QFrame;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolBar;
class clsEnviron;
class clsGTex;
class clsMainSeq;
class clsSequenceDriver;
class thrProg;

// What a test may change about the loader window; the program takes the defaults.
struct TForm1Options {
    const LoaderImage* writer = nullptr;  // nullptr: the embedded writer program
    const LoaderImage* rom = nullptr;     // nullptr: the embedded ROM image
    bool runWorker = true;                // false: the caller runs Timer1Timer itself
};

// The firmware loader's window: the COM port menu and tool bar, the log memo, the progress
// bar and Start, Cancel and Exit. It owns the load sequence and the worker thread that has it
// step about once a millisecond; every step runs here, on the GUI thread.
class TForm1 : public QMainWindow, private SequenceMemo {
public:
    static constexpr int kMenuItems = 100;
    static constexpr int kToolButtons = 6;
    static constexpr int kImages = 5;
    static constexpr int kMemoLineLimit = 120;
    static constexpr int kMemoLinesDropped = 10;

    TForm1(clsGTex& texts, clsEnviron& environment, TForm1Options options = {});
    // Stops the worker first, serving the tick it may be waiting for, so that tick still finds
    // every part of the window; then the sequence goes (its port closes).
    ~TForm1() override;

    // The click handler of every menu item and tool button.
    void Button1Click(QObject* sender);
    void Button_StartClick();
    void Button_CancelClick();
    void Button_ExitClick();
    // One tick: a sequence step, the memo's line limit, the progress, the caption, the COM
    // marks and the buttons' enabling.
    void Timer1Timer();

    const clsMainSeq& Sequence() const { return *sequence_; }
    QFileDialog& OpenDialog() const { return *OpenDialog1; }
    // Logical lines of the memo; a line break at the very end starts no counted line.
    int MemoLineCount() const;

private:
    void BuildImageList();
    void BuildMenu();
    void BuildToolBar();
    void BuildControls();
    void BuildOpenDialog();
    void PlaceControls();
    void ApplyFont(int charSet, const std::string& name, int size);
    bool eventFilter(QObject* watched, QEvent* event) override;

    void OpenRomFileDialog();
    void UpdateComMarks();
    void SequenceTick();
    void KeepMemoLineLimit();
    void UpdateCaption();
    void PressDefaultButton();

    void AppendText(const std::string& text) override;
    void AddLine(const std::string& line) override;
    void AppendToLastLine(const std::string& text) override;
    void CaretToEnd() override;
    void EndProgram() override;
    void InsertAtEnd(const QString& text);
    bool MemoEndsWithLineBreak() const;
    void RemoveFirstMemoLine();

    clsGTex& texts_;
    clsEnviron& environ_;
    std::string title_;
    std::array<QIcon, kImages> imageList_;
    std::array<QAction*, kMenuItems> menuItems_{};
    QToolBar* toolBar_ = nullptr;
    std::array<QAction*, kToolButtons> toolButtons_{};
    QWidget* client_ = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel_Main = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button_Start = nullptr;
    QPushButton* Button_Cancel = nullptr;
    QPushButton* Button_Exit = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    std::unique_ptr<clsMainSeq> sequence_;
    std::unique_ptr<clsSequenceDriver> driver_;
    std::unique_ptr<thrProg> worker_;
};
