// The File menu of the program's main window: New, Open, Save, Save As and the recent files,
// the modified mark in the title and the questions before changes are lost or a file replaced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "radio/CellCodes.h"
#include "radio/ImagePacking.h"
#include "radio/cmcCellObj.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/RecordingFileDialogs.h"
#include "tests/support/ScopedEnvFolder.h"
#include "tests/ui/MainRig.h"
#include "tests/ui/ProgramFolder.h"
#include "ui/cuiMenu.h"

namespace {

namespace fs = std::filesystem;

using platform::BoxAnswer;
using testsupport::MainRig;
using testsupport::ProgramFolder;
using testsupport::RecordingFileDialogs;

constexpr int kComment = 504;  // a byte of the radio part the user edits (the first comment)

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    const std::string saved = ReadAll(path);
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
    EXPECT_EQ(ReadAll(path), saved);

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

TEST_F(FileCommandsTest, SaveAsOverAnExistingFileAsksFirst) {
    const fs::path existing = dir / "other.tov";
    std::ofstream(existing) << "the user's file\r\n";
    Edit('D');

    dialogs.Choose(existing.string());
    rig.boxes.Answer(BoxAnswer::No);
    Click(CL_Menu_File_SaveAs);
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].text, "other.tov already exists. Replace it?");
    EXPECT_EQ(rig.boxes.boxes[0].buttons, platform::BoxButtons::YesNo);
    EXPECT_EQ(ReadAll(existing), "the user's file\r\n");
    EXPECT_EQ(Title(), "Untitled* - Tarnwick");

    dialogs.Choose(existing.string());
    rig.boxes.Answer(BoxAnswer::Yes);
    Click(CL_Menu_File_SaveAs);
    EXPECT_NE(ReadAll(existing), "the user's file\r\n");
    EXPECT_EQ(Title(), "other.tov - Tarnwick");
}

TEST_F(FileCommandsTest, AFailedSaveLeavesTheOriginalFileAndTheDocumentsState) {
    Edit('E');
    const fs::path path = dir / "kept.tov";
    dialogs.Choose(path.string());
    Click(CL_Menu_File_SaveAs);
    const std::string original = ReadAll(path);
    Edit('F');

    {
        const testsupport::ReadOnlyFolder readOnly(dir);
        Click(CL_Menu_File_Save);
    }
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].text.rfind("The clone file could not be used.", 0), 0u);
    EXPECT_NE(rig.boxes.boxes[0].text.find("The system reports: "), std::string::npos);
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_EQ(fs::directory_iterator(dir)->path(), path) << "no temporary file left";
    EXPECT_EQ(Title(), "kept.tov* - Tarnwick");
    EXPECT_TRUE(rig.main->IsModified());
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
