// The File menu of the program's main window: New, Open, Save, Save As and the recent files,
// the modified mark in the title and the questions before changes are lost or a file replaced.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/packing/ImagePacking.h"
#include "tests/support/FileContent.h"
#include "tests/support/PlainUserRights.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/RecordingFileDialogs.h"
#include "tests/support/ScopedEnvFolder.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/widgets/cuiMenu.h"

namespace {

namespace fs = std::filesystem;

using platform::BoxAnswer;
using testsupport::MainRig;
using testsupport::ProgramFolder;
using testsupport::RecordingFileDialogs;

constexpr int kComment = 504;  // a byte of the radio part the user edits (the first comment)

// The box of a file that cannot be opened (or made), with the reason given.
std::string CannotOpen(const std::string& reason) {
    return "The clone file could not be used.\n\nThe file cannot be opened, or no file can be made "
           "in its folder.\n\n" +
           reason;
}

std::string SystemReports(int error) {
    return std::string("The system reports: ") + std::strerror(error) + ".";
}

const char kNotAFile[] = "It is a pipe, a device or a socket, not a file.";

QAction* FindIn(const QList<QAction*>& actions, int code, int index) {
    for (QAction* action : actions) {
        const cmcCellObj* cell = cuiMenu::CellOf(action);
        if (cell && cell->item == code && cell->index == index) {
            return action;
        }
        if (action->menu()) {
            if (QAction* found = FindIn(action->menu()->actions(), code, index)) {
                return found;
            }
        }
    }
    return nullptr;
}

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarnwick-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        rig.settings.currentFolder = dir.string();
        rig.Start();
        rig.Advance(300);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Clicks the menu item as the user does.
    void Click(int code, int index = 0) {
        rig.main->Menu()->UpdateAll();
        QAction* item = FindIn(rig.form->menuBar()->actions(), code, index);
        ASSERT_NE(item, nullptr) << code;
        ASSERT_TRUE(item->isEnabled()) << code;
        item->trigger();
    }
    // An edit of the user's, as the dispatcher reports it.
    void Edit(uint8_t value) {
        rig.main->CurrentImage().SetByte(kComment, value);
        rig.main->UpdateModified();
    }
    std::string Title() const { return rig.form->windowTitle().toStdString(); }

    ProgramFolder folder;
    MainRig rig;
    RecordingFileDialogs dialogs;
    fs::path dir;
};

TEST_F(FileCommandsTest, SaveNewOpenAndRecentRoundTripThroughTheMenu) {
    Edit('A');
    EXPECT_EQ(Title(), "Untitled* - Tarnwick");

    // Save of an untitled document asks for a name, proposing "Untitled" in the folder.
    const fs::path path = dir / "shop.tov";
    dialogs.Choose(path.string());
    Click(CL_Menu_File_Save);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(dialogs.requests[0].save);
    EXPECT_EQ(dialogs.requests[0].request.folder, dir.string());
    EXPECT_EQ(dialogs.requests[0].request.fileName, "Untitled");
    EXPECT_EQ(dialogs.requests[0].request.defaultExtension, "tov");
    EXPECT_EQ(dialogs.requests[0].request.filter, "Clone files (*.tov)|*.tov|All files (*)|*");
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_EQ(Title(), "shop.tov - Tarnwick");
    EXPECT_FALSE(rig.main->IsModified());
    EXPECT_EQ(rig.settings.recentFiles.GetDisplayName(0, ""), path.string());
    const std::string saved = testsupport::FileContent(path);
    cmcEeprom document;
    document.Assign(rig.main->CurrentImage());

    // New: the model type's initial image, untitled and unmodified.
    Click(CL_Menu_File_New);
    EXPECT_EQ(Title(), "Untitled - Tarnwick");
    cmcEeprom fresh;
    fresh.Assign(rig.main->DefaultImage());
    PackImage(fresh, rig.main->CurrentModelType());
    EXPECT_TRUE(rig.main->CurrentImage().IsEqual(fresh));
    EXPECT_NE(rig.main->CurrentImage().GetByte(kComment), 'A');

    // The recent file shows its name in the menu and opens the document as it was saved.
    rig.main->Menu()->UpdateAll();
    EXPECT_EQ(FindIn(rig.form->menuBar()->actions(), CL_Menu_File_Recent, 0)->text(),
              "&1 shop.tov");
    Click(CL_Menu_File_Recent, 0);
    EXPECT_EQ(Title(), "shop.tov - Tarnwick");
    EXPECT_TRUE(rig.main->CurrentImage().IsEqual(document));
    EXPECT_FALSE(rig.main->IsModified());

    // Saved again under its name, without a dialog: the same bytes.
    Edit('A');
    Click(CL_Menu_File_Save);
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(testsupport::FileContent(path), saved);

    // Open through the dialog, in the folder of the last file.
    Click(CL_Menu_File_New);
    dialogs.Choose(path.string());
    Click(CL_Menu_File_Open);
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_FALSE(dialogs.requests[1].save);
    EXPECT_EQ(dialogs.requests[1].request.folder, dir.string());
    EXPECT_TRUE(rig.main->CurrentImage().IsEqual(document));
    EXPECT_EQ(rig.settings.currentFolder, dir.string());
}

TEST_F(FileCommandsTest, OpenOfADamagedFileLeavesTheDocument) {
    Edit('B');
    const fs::path named = dir / "named.tov";
    dialogs.Choose(named.string());
    Click(CL_Menu_File_SaveAs);
    Edit('C');
    cmcEeprom before;
    before.Assign(rig.main->CurrentImage());

    const fs::path damaged = dir / "damaged.tov";
    std::ofstream(damaged) << "this is no clone file\r\n";
    dialogs.Choose(damaged.string());
    rig.boxes.Answer(BoxAnswer::No);  // the changes may go
    Click(CL_Menu_File_Open);
    ASSERT_EQ(rig.boxes.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes.boxes[1].text,
              "The clone file could not be used.\n\nThe file is not a clone file, or it is "
              "damaged.");
    EXPECT_TRUE(rig.main->CurrentImage().IsEqual(before));
    EXPECT_EQ(Title(), "named.tov* - Tarnwick");
    EXPECT_EQ(rig.settings.recentFiles.GetCount(), 1);
}

// No to replacing a file brings the dialog back where the user was, not the end of the command.
TEST_F(FileCommandsTest, SaveAsOverAnExistingFileAsksFirst) {
    const fs::path existing = dir / "other.tov";
    std::ofstream(existing) << "the user's file\r\n";
    Edit('D');

    const fs::path another = dir / "another.tov";
    dialogs.Choose(existing.string());
    dialogs.Choose(another.string());
    rig.boxes.Answer(BoxAnswer::No);
    Click(CL_Menu_File_SaveAs);
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].text, "other.tov already exists. Replace it?");
    EXPECT_EQ(rig.boxes.boxes[0].buttons, platform::BoxButtons::YesNo);
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[1].request.folder, dir.string());
    EXPECT_EQ(dialogs.requests[1].request.fileName, "other.tov");
    EXPECT_EQ(testsupport::FileContent(existing), "the user's file\r\n");
    EXPECT_TRUE(fs::exists(another));
    EXPECT_EQ(Title(), "another.tov - Tarnwick");

    // The save asked for before the open file is read again goes back to the dialog too, and
    // the command goes on once it saved.
    Edit('E');
    dialogs.Choose(existing.string());
    dialogs.Choose((dir / "third.tov").string());
    rig.boxes.Answer(BoxAnswer::Yes);  // save the changes under another name
    rig.boxes.Answer(BoxAnswer::No);   // not over other.tov
    Click(CL_Menu_File_Recent, 0);
    EXPECT_TRUE(fs::exists(dir / "third.tov"));
    EXPECT_EQ(Title(), "another.tov - Tarnwick");

    dialogs.Choose(existing.string());
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_SaveAs);
    EXPECT_NE(testsupport::FileContent(existing), "the user's file\r\n");
    EXPECT_EQ(Title(), "other.tov - Tarnwick");
}

TEST_F(FileCommandsTest, AFailedSaveLeavesTheOriginalFileAndTheDocumentsState) {
    Edit('E');
    const fs::path path = dir / "kept.tov";
    dialogs.Choose(path.string());
    Click(CL_Menu_File_SaveAs);
    // A byte behind the packed channels that the file holds and a save clears: a failed save
    // must not leave the document changed by what it had begun.
    std::string text = testsupport::FileContent(path);
    const size_t lastRecord = text.find("\r\n7FD010") + 2;
    ASSERT_NE(lastRecord, std::string::npos);
    text.replace(lastRecord + 6 + 30, 2, "5A");
    std::ofstream(path, std::ios::binary) << text;
    dialogs.Choose(path.string());
    Click(CL_Menu_File_Open);
    ASSERT_EQ(rig.main->CurrentImage().GetByte(32735), 0x5A);
    const std::string original = testsupport::FileContent(path);

    // Unchanged or changed, the document stays as it was.
    for (const bool changed : {false, true}) {
        SCOPED_TRACE(changed);
        if (changed) {
            Edit('F');
        }
        cmcEeprom before;
        before.Assign(rig.main->CurrentImage());
        rig.boxes.boxes.clear();
        {
            const testsupport::ReadOnlyFolder readOnly(dir);
            Click(CL_Menu_File_Save);
        }
        rig.main->UpdateModified();  // as after any command
        ASSERT_EQ(rig.boxes.boxes.size(), 1u);
        EXPECT_EQ(rig.boxes.boxes[0].text, CannotOpen(SystemReports(EACCES)));
        EXPECT_EQ(testsupport::FileContent(path), original);
        EXPECT_EQ(fs::directory_iterator(dir)->path(), path) << "no temporary file left";
        EXPECT_TRUE(rig.main->CurrentImage().IsEqual(before));
        EXPECT_EQ(Title(), changed ? "kept.tov* - Tarnwick" : "kept.tov - Tarnwick");
        EXPECT_EQ(rig.main->IsModified(), changed);
    }
}

// A name the system will not take is a failed save with the system's reason; the program and
// its document stay.
TEST_F(FileCommandsTest, ASaveAsOntoAnOddPathFailsWithItsReason) {
    fs::create_symlink("loop.tov", dir / "loop.tov");
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::none);
    struct Case {
        fs::path path;
        int error;
    };
    const Case cases[] = {
        {dir / "loop.tov", ELOOP},
        {dir / "locked" / "shop.tov", EACCES},
        {dir / (std::string(300, 'n') + ".tov"), ENAMETOOLONG},
    };
    Edit('J');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        rig.boxes.boxes.clear();
        dialogs.Choose(c.path.string());
        {
            const testsupport::PlainUserRights plainUser;
            Click(CL_Menu_File_SaveAs);
        }
        ASSERT_FALSE(rig.boxes.boxes.empty());
        EXPECT_EQ(rig.boxes.boxes.back().text, CannotOpen(SystemReports(c.error)));
        EXPECT_EQ(Title(), "Untitled* - Tarnwick");
        EXPECT_EQ(rig.main->CurrentImage().GetByte(kComment), 'J');
    }
    fs::permissions(dir / "locked", fs::perms::owner_all);
}

TEST_F(FileCommandsTest, SaveOntoAReadOnlyFileIsRefusedAndTheFileStays) {
    Edit('K');
    const fs::path path = dir / "locked.tov";
    dialogs.Choose(path.string());
    Click(CL_Menu_File_SaveAs);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string original = testsupport::FileContent(path);
    Edit('L');
    {
        const testsupport::PlainUserRights plainUser;
        if (const int fd = open(path.c_str(), O_WRONLY); fd >= 0) {
            close(fd);
            GTEST_SKIP() << "this user may write a read-only file";
        }
        Click(CL_Menu_File_Save);
    }
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].text, CannotOpen(SystemReports(EACCES)));
    EXPECT_EQ(testsupport::FileContent(path), original);
    EXPECT_EQ(fs::directory_iterator(dir)->path(), path) << "no temporary file left";
    EXPECT_EQ(Title(), "locked.tov* - Tarnwick");

    // Root may write it, as with any editor; the file stays read-only.
    if (geteuid() == 0) {
        Click(CL_Menu_File_Save);
        EXPECT_NE(testsupport::FileContent(path), original);
        EXPECT_EQ(fs::status(path).permissions(),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_EQ(Title(), "locked.tov - Tarnwick");
    }
}

TEST_F(FileCommandsTest, SavingThroughALinkReplacesTheFileItLeadsTo) {
    fs::create_directory(dir / "shop");
    const fs::path target = dir / "shop" / "real.tov";
    dialogs.Choose(target.string());
    Click(CL_Menu_File_SaveAs);
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const fs::path link = dir / "link.tov";
    fs::create_symlink("shop/real.tov", link);

    dialogs.Choose(link.string());
    Click(CL_Menu_File_Open);
    Edit('M');
    Click(CL_Menu_File_Save);
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_EQ(Title(), "link.tov - Tarnwick");
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "shop/real.tov");
    struct stat status;
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "shop"), {}), 1) << "no temporary file";

    Click(CL_Menu_File_New);
    dialogs.Choose(target.string());
    Click(CL_Menu_File_Open);
    EXPECT_EQ(rig.main->CurrentImage().GetByte(kComment), 'M');
}

// What is no file, or a file that fails while it is read, gets its reason at once: a pipe
// without a writer must not hold the program.
TEST_F(FileCommandsTest, OpeningWhatCannotBeReadIsRefusedAtOnce) {
    fs::create_directory(dir / "folder.tov");
    ASSERT_EQ(mkfifo((dir / "pipe.tov").c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {(dir / "folder.tov").string(), SystemReports(EISDIR)},
        {(dir / "pipe.tov").string(), kNotAFile},
        {"/dev/null", kNotAFile},
        {"/proc/self/mem", SystemReports(EIO)},  // a read at its start fails
    };
    Edit('N');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        rig.boxes.boxes.clear();
        dialogs.Choose(c.path);
        rig.boxes.Answer(BoxAnswer::No);  // the changes may go
        Click(CL_Menu_File_Open);
        ASSERT_EQ(rig.boxes.boxes.size(), 2u);
        EXPECT_EQ(rig.boxes.boxes[1].text, CannotOpen(c.reason));
        EXPECT_EQ(rig.main->CurrentImage().GetByte(kComment), 'N');
        EXPECT_EQ(Title(), "Untitled* - Tarnwick");
    }
}

// The file open is the same file only when it is that file, whatever its name's case.
TEST_F(FileCommandsTest, TheSameFileIsTheFileItself) {
    Edit('O');
    const fs::path lower = dir / "a.tov";
    dialogs.Choose(lower.string());
    Click(CL_Menu_File_SaveAs);
    fs::copy_file(lower, dir / "A.tov");
    fs::create_symlink("a.tov", dir / "link.tov");
    Edit('P');
    struct Case {
        const char* name;
        const char* question;
    };
    const Case cases[] = {
        {"A.tov", "The changes to a.tov have not been saved. Save them now?"},
        {"link.tov",
         "The open file has changes that have not been saved. Save them under another name "
         "first?"},
    };
    for (const Case& c : cases) {
        rig.boxes.boxes.clear();
        dialogs.Choose((dir / c.name).string());
        rig.boxes.Answer(BoxAnswer::Cancel);
        Click(CL_Menu_File_Open);
        ASSERT_EQ(rig.boxes.boxes.size(), 1u) << c.name;
        EXPECT_EQ(rig.boxes.boxes[0].text, c.question) << c.name;
    }
}

// Yes to the question saves first; a save that does not happen (dialog cancelled) cancels the
// command.
TEST_F(FileCommandsTest, TheSaveChangesQuestionSavesOnYes) {
    Edit('G');
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_New);  // no name chosen
    EXPECT_EQ(rig.main->CurrentImage().GetByte(kComment), 'G');
    EXPECT_EQ(Title(), "Untitled* - Tarnwick");

    const fs::path path = dir / "first.tov";
    dialogs.Choose(path.string());
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_New);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_NE(rig.main->CurrentImage().GetByte(kComment), 'G');
    EXPECT_EQ(Title(), "Untitled - Tarnwick");

    // Opening the file that is open, with changes: they go to another name first.
    Click(CL_Menu_File_Recent, 0);
    Edit('H');
    const fs::path copy = dir / "copy.tov";
    dialogs.Choose(copy.string());
    rig.boxes.boxes.clear();
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_Recent, 0);
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].text,
              "The open file has changes that have not been saved. Save them under another name "
              "first?");
    EXPECT_EQ(dialogs.requests.back().request.fileName, "first.tov");
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_EQ(Title(), "first.tov - Tarnwick");
    EXPECT_EQ(rig.main->CurrentImage().GetByte(kComment), 'G');
}

TEST_F(FileCommandsTest, ExitClosesTheWindowAfterSavingOnYes) {
    Edit('I');
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_Exit);  // no name chosen: the window stays
    EXPECT_TRUE(rig.form->isVisible());

    const fs::path path = dir / "last.tov";
    dialogs.Choose(path.string());
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_Exit);
    EXPECT_FALSE(rig.form->isVisible());
    EXPECT_TRUE(fs::exists(path));
}

// Where the file dialogs (and the PDF file of a print without printer) start: the folder of
// the last file while it is there, else the documents folder when the account has one, else
// the home folder.
class DocumentFolderTest : public ::testing::Test {
protected:
    // Opens the Open dialog from the menu; returns the folder it started in.
    std::string OpenDialogFolder() {
        rig.Start();
        rig.main->Menu()->UpdateAll();
        FindIn(rig.form->menuBar()->actions(), CL_Menu_File_Open, 0)->trigger();
        EXPECT_EQ(dialogs.requests.size(), 1u);
        return dialogs.requests.empty() ? "" : dialogs.requests.back().request.folder;
    }

    testsupport::ScopedEnvFolder home{"HOME", "tarnwick-home-"};
    testsupport::ScopedEnvFolder config{"XDG_CONFIG_HOME", "tarnwick-config-"};
    ProgramFolder folder;
    MainRig rig;
    RecordingFileDialogs dialogs;
};

TEST_F(DocumentFolderTest, AFreshAccountWithoutDocumentsStartsAtHome) {
    EXPECT_EQ(OpenDialogFolder(), home.Path().string());
    EXPECT_EQ(rig.main->GetFileName(), (home.Path() / "Untitled").string()) << "the PDF's place";
}

TEST_F(DocumentFolderTest, TheDocumentsFolderWhenThereIsOne) {
    fs::create_directories(home.Path() / "Documents");
    EXPECT_EQ(OpenDialogFolder(), (home.Path() / "Documents").string());
}

TEST_F(DocumentFolderTest, TheLastFolderWhileItIsThere) {
    const fs::path last = home.Path() / "clones";
    fs::create_directories(last);
    rig.settings.currentFolder = last.string();
    EXPECT_EQ(OpenDialogFolder(), last.string());
}

TEST_F(DocumentFolderTest, ALastFolderThatWentIsPassedOver) {
    rig.settings.currentFolder = (home.Path() / "gone").string();
    EXPECT_EQ(OpenDialogFolder(), home.Path().string());
}

}  // namespace
