#include "loader/ui/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <cstdio>
#include <vector>

#include "loader/TableNumber.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/clsSequenceDriver.h"
#include "loader/clsStrCom.h"
#include "loader/ui/FormLayout.h"
#include "loader/ui/LoaderIcons.h"
#include "loader/ui/OpenDialogFilter.h"
#include "loader/ui/thrProg.h"

namespace {

constexpr int kSpacerWidth = 8;
constexpr int kToolBarIndent = 4;
constexpr int kFirstComItem = 4;
constexpr int kFirstComButton = 2;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The lines of a block up to its "#" line (which may carry blanks). A missing key has no
// such line: its one error line ends the block.
std::vector<std::string> TextBlock(clsGTex& texts, const std::string& key) {
    std::vector<std::string> lines;
    for (int n = 0;; ++n) {
        const std::string line = texts.GetLine(key, n);
        if (QString::fromStdString(line).trimmed() == "#") {
            break;
        }
        lines.push_back(line);
        if (line == clsGTex::kErrorText) {
            break;
        }
    }
    return lines;
}

struct MenuLine {
    int depth;
    std::string caption;
};

// The menu lines up to the first line without "+". The first line has depth 0, and a line
// is at most one level below the line before it.
std::vector<MenuLine> ReadMenuLines(clsGTex& texts, int limit) {
    std::vector<MenuLine> lines;
    for (int r = 0; r < limit; ++r) {
        clsStrCom line;
        line.Set(texts.GetLine("App_MenuList", r));
        if (line.CountFields("+") < 2) {
            break;
        }
        const int plus = line.FindDelimiter("+", 1);
        const int deepest = lines.empty() ? 0 : lines.back().depth + 1;
        clsStrCom rest;
        rest.Set(line.GetText().substr(plus));
        lines.push_back({std::min(plus - 1, deepest), rest.GetField(",", 0)});
    }
    return lines;
}

}  // namespace

TForm1::TForm1(clsGTex& texts, clsEnviron& environment, TForm1Options options)
    : texts_(texts), environ_(environment) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    const int width = TableNumber(texts_.GetLine("Sys_Form_Size", 0));
    const int height = TableNumber(texts_.GetLine("Sys_Form_Size", 1));
    setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width) / 2, static_cast<int>((area.height() - height) / 2 * 0.8));
    }
    title_ = texts_.GetLine("Sys_AppTitle", 0);
    // The title only: a display name set for the application would be added by Qt to every
    // window's title (the caption of a load's progress and of each box) a second time.
    setWindowTitle(Q(title_));
    setWindowIcon(LoaderWindowIcon());

    BuildImageList();
    BuildMenu();
    BuildControls();
    BuildToolBar();
    Button_Start->setText(Q(texts_.GetLine("App_ButtonCaption", 0)));
    Button_Cancel->setText(Q(texts_.GetLine("App_ButtonCaption", 1)));
    Button_Exit->setText(Q(texts_.GetLine("App_ButtonCaption", 2)));
    QStringList memoLines;
    for (const std::string& line : TextBlock(texts_, "Seq_Message_00")) {
        memoLines << Q(line);
    }
    Memo1->setPlainText(memoLines.join('\n') + "\n\n");

    sequence_ = std::make_unique<clsMainSeq>(
        texts_, options.writer ? *options.writer : EmbeddedWriterImage(),
        options.rom ? *options.rom : EmbeddedRomImage());
    driver_ = std::make_unique<clsSequenceDriver>(*sequence_, texts_, environ_,
                                                  static_cast<SequenceMemo&>(*this));
    ApplyFont(TableNumber(texts_.GetLine("Sys_Font_CharSet", 0)),
              texts_.GetLine("Sys_Font_Name", 0), TableNumber(texts_.GetLine("Sys_Font_Size", 0)));
    BuildOpenDialog();
    if (options.runWorker) {
        worker_ = std::make_unique<thrProg>(this, [this] {
            Timer1Timer();
            return driver_->NextTickMs();
        });
    }
}

TForm1::~TForm1() {
    if (worker_) {
        worker_->StopAndWait();
        worker_.reset();
    }
    driver_.reset();
    sequence_.reset();
}

void TForm1::BuildImageList() {
    imageList_[0] = FileOpenIcon();
    for (int n = 1; n < kImages; ++n) {
        imageList_[n] = ComPortIcon(n);
    }
}

void TForm1::BuildMenu() {
    for (int r = 0; r < kMenuItems; ++r) {
        menuItems_[r] = new QAction("---", this);
        connect(menuItems_[r], &QAction::triggered, this,
                [this, item = menuItems_[r]] { Button1Click(item); });
    }
    const std::vector<MenuLine> lines = ReadMenuLines(texts_, kMenuItems);
    std::vector<int> lastAtDepth;
    for (size_t r = 0; r < lines.size(); ++r) {
        QAction* item = menuItems_[r];
        item->setText(Q(lines[r].caption));
        const int depth = lines[r].depth;
        lastAtDepth.resize(depth + 1);
        lastAtDepth[depth] = static_cast<int>(r);
        if (depth == 0) {
            menuBar()->addAction(item);
            continue;
        }
        QAction* parent = menuItems_[lastAtDepth[depth - 1]];
        if (!parent->menu()) {
            parent->setMenu(new QMenu(this));
        }
        parent->menu()->addAction(item);
    }
    menuItems_[0]->setVisible(false);
    for (int n = 0; n < environ_.GetComPortMax(); ++n) {
        menuItems_[kFirstComItem + n]->setCheckable(true);
    }
}

void TForm1::BuildToolBar() {
    toolBar_ = new QToolBar(client_);
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setContentsMargins(kToolBarIndent, 0, 0, 0);
    toolBar_->setStyleSheet("QToolBar { border: none; border-top: 1px solid palette(mid); }");
    toolButtons_[0] = toolBar_->addAction(imageList_[0], QString());
    auto* spacer = new QWidget(toolBar_);
    spacer->setFixedWidth(kSpacerWidth);
    toolButtons_[1] = toolBar_->addWidget(spacer);
    for (int n = 1; n < kImages; ++n) {
        toolButtons_[n + 1] = toolBar_->addAction(imageList_[n], QString());
        toolButtons_[n + 1]->setCheckable(true);
    }
    for (QAction* button : toolButtons_) {
        connect(button, &QAction::triggered, this, [this, button] { Button1Click(button); });
    }
    toolButtons_[0]->setVisible(false);
    toolButtons_[1]->setVisible(false);
}

void TForm1::BuildControls() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->installEventFilter(this);
    Panel1 = new QFrame(client_);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel_Main = new QFrame(Panel1);
    Panel_Main->setObjectName("Panel_Main");
    Panel_Main->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Memo1 = new QPlainTextEdit(Panel_Main);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button_Start = new QPushButton(Panel_Main);
    Button_Start->setObjectName("Button_Start");
    Button_Start->setDefault(true);
    Button_Cancel = new QPushButton(Panel_Main);
    Button_Cancel->setObjectName("Button_Cancel");
    Button_Exit = new QPushButton(Panel_Main);
    Button_Exit->setObjectName("Button_Exit");
    ProgressBar1 = new QProgressBar(Panel_Main);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 255);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    connect(Button_Start, &QPushButton::clicked, this, &TForm1::Button_StartClick);
    connect(Button_Cancel, &QPushButton::clicked, this, &TForm1::Button_CancelClick);
    connect(Button_Exit, &QPushButton::clicked, this, &TForm1::Button_ExitClick);
    // Start is the default button and Cancel the cancel button, as in a dialog.
    for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                &TForm1::PressDefaultButton);
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, Button_Cancel,
            &QPushButton::click);
}

void TForm1::BuildOpenDialog() {
    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName("OpenDialog1");
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setDefaultSuffix(Q(texts_.GetLine("App_Dialog_FOpen", 0)));
    OpenDialog1->setNameFilter(OpenDialogFilter(texts_.GetLine("App_Dialog_FOpen", 1)));
    OpenDialog1->setDirectory(Q(environ_.GetProgramDir()));
    OpenDialog1->selectFile(QString());
}

void TForm1::PlaceControls() {
    toolBar_->setGeometry(0, 0, client_->width(), toolBar_->sizeHint().height());
    const FormLayout layout = ComputeFormLayout(client_->size(), toolBar_->geometry().bottom() + 1);
    Panel1->setGeometry(layout.panel1);
    Panel_Main->setGeometry(layout.panelMain);
    Memo1->setGeometry(layout.memo);
    Button_Start->setGeometry(layout.buttonStart);
    Button_Cancel->setGeometry(layout.buttonCancel);
    Button_Exit->setGeometry(layout.buttonExit);
    ProgressBar1->setGeometry(layout.progressBar);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        PlaceControls();
    }
    return QMainWindow::eventFilter(watched, event);
}

// Qt fonts have no character set; the number is still read, as the table must hold one.
void TForm1::ApplyFont(int /*charSet*/, const std::string& name, int size) {
    const QFont font(Q(name), size);
    setFont(font);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Memo1, Button_Start, Button_Cancel, Button_Exit}) {
        control->setFont(font);
    }
}

void TForm1::Button1Click(QObject* sender) {
    const auto selectPort = [this](int port) {
        if (sequence_->CanStart()) {
            environ_.SetComPort(port);
        }
        UpdateComMarks();
    };
    for (int item = 0; item < kMenuItems; ++item) {
        if (sender != menuItems_[item]) {
            continue;
        }
        if (item == 1) {
            OpenRomFileDialog();
        } else if (item == 2) {
            EndProgram();
        } else if (item >= kFirstComItem && item < kFirstComItem + environ_.GetComPortMax()) {
            // A checkable item marks itself when clicked: the marks are put right in any case.
            selectPort(item - kFirstComItem + 1);
        }
        return;
    }
    for (int button = 0; button < kToolButtons; ++button) {
        if (sender != toolButtons_[button]) {
            continue;
        }
        if (button == 0) {
            OpenRomFileDialog();
        } else if (button >= kFirstComButton) {
            selectPort(button - kFirstComButton + 1);
        }
        return;
    }
}

void TForm1::OpenRomFileDialog() {
    if (!sequence_->CanStart()) {
        return;
    }
    if (!OpenDialog1->directory().exists()) {
        OpenDialog1->setDirectory(Q(environ_.GetProgramDir()));
        OpenDialog1->selectFile(QString());
    }
    if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) {
        return;
    }
    sequence_->StopAndForgetFile();
    sequence_->SetRomFileName(OpenDialog1->selectedFiles().first().toStdString());
}

void TForm1::UpdateComMarks() {
    const int port = environ_.GetComPort();
    for (int n = 1; n <= environ_.GetComPortMax(); ++n) {
        menuItems_[kFirstComItem + n - 1]->setChecked(port == n);
        toolButtons_[kFirstComButton + n - 1]->setChecked(port == n);
    }
}

void TForm1::Button_StartClick() {
    if (!sequence_->CanStart()) {
        return;
    }
    if (sequence_->GetState() >= clsMainSeq::Ready) {
        // The port chosen last counts even when no tick has passed since (the pace at Ready
        // is slow); the load then begins at once.
        sequence_->SetPortNumber(environ_.GetComPort());
        sequence_->Start();
        if (worker_) {
            worker_->Wake();
        }
    } else {
        OpenRomFileDialog();
    }
}

void TForm1::Button_CancelClick() {
    if (!sequence_->CanCancel()) {
        return;
    }
    sequence_->Cancel();
    AppendText("\r\n\r\n" + texts_.GetLine("Seq_Mess_Cancel", 0) + "\r\n\r\n");
}

void TForm1::Button_ExitClick() {
    EndProgram();
}

void TForm1::PressDefaultButton() {
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    (focused ? focused : Button_Start)->click();
}

void TForm1::Timer1Timer() {
    SequenceTick();
    KeepMemoLineLimit();
    ProgressBar1->setValue(sequence_->GetProgress());
    UpdateCaption();
    UpdateComMarks();
    Button_Start->setEnabled(sequence_->CanStart());
    Button_Cancel->setEnabled(sequence_->CanCancel());
}

void TForm1::SequenceTick() {
    driver_->SequenceTick();
}

void TForm1::KeepMemoLineLimit() {
    while (MemoLineCount() > kMemoLineLimit) {
        for (int n = 0; n < kMemoLinesDropped; ++n) {
            RemoveFirstMemoLine();
            CaretToEnd();
        }
    }
}

void TForm1::UpdateCaption() {
    const int position = ProgressBar1->value();
    QString caption = Q(title_);
    if (position != 0) {
        char percent[16];
        std::snprintf(percent, sizeof percent, "%3d%% - ", position * 100 / 255);
        caption.prepend(percent);
    }
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
}

int TForm1::MemoLineCount() const {
    const int blocks = Memo1->document()->blockCount();
    return MemoEndsWithLineBreak() ? blocks - 1 : blocks;
}

// The memo's text has lines separated by line breaks; like the class library's memo, a text
// that ends in a line break has its caret line after it, which is not a line of its own yet.
bool TForm1::MemoEndsWithLineBreak() const {
    return Memo1->document()->lastBlock().length() == 1;  // only the block's end mark
}

void TForm1::InsertAtEnd(const QString& text) {
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void TForm1::RemoveFirstMemoLine() {
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    if (!cursor.hasSelection()) {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

void TForm1::AppendText(const std::string& text) {
    InsertAtEnd(Q(text).replace("\r\n", "\n"));
}

void TForm1::AddLine(const std::string& line) {
    InsertAtEnd(MemoEndsWithLineBreak() ? Q(line) + "\n" : "\n" + Q(line));
}

void TForm1::AppendToLastLine(const std::string& text) {
    InsertAtEnd(Q(text));
}

void TForm1::CaretToEnd() {
    Memo1->moveCursor(QTextCursor::End);
    Memo1->ensureCursorVisible();
}

void TForm1::EndProgram() {
    QCoreApplication::exit(0);
}
