#include "radio/clone/file/indFileCommands.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/cmcEvMan.h"
#include "platform/ProgramInfo.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/clone/file/CloneFileRules.h"
#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"
#include "radio/host/FileCommandHost.h"
#include "radio/image/DocumentRanges.h"
#include "radio/image/ImageLayout.h"
#include "tests/support/FakeShell.h"
#include "tests/support/FileContent.h"
#include "tests/support/PlainUserRights.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/RecordingFileDialogs.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"

namespace {

namespace fs = std::filesystem;

using platform::BoxAnswer;

constexpr int kComment = 504;        // a byte of the radio part the user edits
constexpr int kFinaliseMark = 2000;  // a byte the program's reconciling changes before a save

std::string Refused(const std::string& reason) {
    return "The clone file could not be used.\n\n" + reason;
}

std::string CannotOpen(int error) {
    return Refused(
        "The file cannot be opened, or no file can be made in its folder.\n\nThe "
        "system reports: " +
        std::string(std::strerror(error)) + ".");
}

fs::path MakeFolder() {
    char pattern[] = "/tmp/tarnwick-file-commands-XXXXXX";
    return mkdtemp(pattern) ? fs::path(pattern) : fs::path();
}

// The program around its file commands, on the fake shell: the document's checks and model
// switch as scripted, and its name and modified flag handed to the file commands as the
// program hands them.
class FileProgram : public testsupport::FakeShell,
                    public CloneDocument,
                    public CloneCommandHost,
                    public FileCommandHost {
public:
    explicit FileProgram(const fs::path& folder)
        : files(*this, *this, *this, testsupport::ProgramTable(), Settings(), folder.string()) {}

    cmcEeprom& CurrentImage() override { return image; }
    cmcEeprom& DefaultImage() override { return defaultImage; }
    ModelType CurrentModelType() override { return model; }
    bool IsMakerMode() override { return false; }
    int CheckImage(const cmcEeprom&, bool full) override {
        fullChecks.push_back(full);
        return unsound ? 1 : 0;
    }
    bool IsNewerData(const cmcEeprom&) override { return newer; }
    void DetectModel(cmcEeprom&) override { ++detections; }
    void SetModified() override { files.SetModified(); }
    void ClearModified() override { files.ClearModified(); }
    void SetFileName(const std::string& name) override { files.SetFileName(name); }

    bool ConfirmDiscard() override { return files.ConfirmDiscard(false) != BoxAnswer::Cancel; }
    bool ConfirmMakerWrite() override { return true; }
    void ClosePopups() override { ++popupCloses; }
    void CloseSheet() override { ++sheetCloses; }
    int CountDataErrors() override { return 0; }
    void ShowCloneInformation(const CloneIdentityBlock&) override {}

    int ModelCode() override { return layout::kModelCodeValue; }
    int SecondId() override { return clonefile::kSecondId; }
    bool CheckFileHeader(int id1, int id2, int& code) override {
        return clonefile::AcceptIds(id1, id2, &code);
    }
    AddressRangeList GetAddressRanges(int kind) override { return ::GetAddressRanges(kind); }
    void FinaliseImage(cmcEeprom& going, int) override { going.SetByte(kFinaliseMark, 0x5A); }
    void PackImage() override { ++packs; }
    void UpdateTitle() override { ++titles; }
    void ShowBusy(bool on) override { busy = on; }

    // An edit of the user's, as the dispatcher reports it.
    void Edit(uint8_t value) {
        image.SetByte(kComment, value);
        files.UpdateModified();
    }

    bool unsound = false;
    bool newer = false;
    std::vector<bool> fullChecks;
    int detections = 0;
    int popupCloses = 0;
    int sheetCloses = 0;
    int titles = 0;
    bool busy = false;
    indFileCommands files;
};

class indFileCommandsTest : public ::testing::Test {
protected:
    static void OnEvent(void* data, const cmcEvent& event) {
        static_cast<indFileCommandsTest*>(data)->events.push_back(event.type);
    }
    void SetUp() override {
        ASSERT_FALSE(dir.empty());
        bus.AddListener(&indFileCommandsTest::OnEvent, this);
    }
    void TearDown() override {
        bus.RemoveListener(&indFileCommandsTest::OnEvent, this);
        fs::remove_all(dir);
    }

    // Saves the document under a name, as Save As does.
    void SaveAs(const fs::path& path) {
        dialogs.Choose(path.string());
        program.files.FileSaveAs();
        ASSERT_EQ(program.files.GetFileName(), path.string());
    }
    int Count(int type) const {
        return static_cast<int>(std::count(events.begin(), events.end(), type));
    }

    fs::path dir = MakeFolder();
    testsupport::VirtualTime time;
    testsupport::ScopedMainGTex table{&testsupport::ProgramTable()};
    cmcEvMan bus;
    testsupport::ScopedEvMan busInstalled{&bus};
    testsupport::RecordingBoxes boxes;
    testsupport::RecordingFileDialogs dialogs;
    FileProgram program{dir};
    indFileCommands& files = program.files;
    std::vector<int> events;
};

TEST_F(indFileCommandsTest, SaveNewAndOpenAgain) {
    program.Edit('A');
    EXPECT_TRUE(files.IsModified());
    EXPECT_EQ(files.GetFileName(), (dir / "Untitled").string());
    EXPECT_EQ(files.TitleName(), "Untitled*");

    // Save of an untitled document asks for a name, proposing "Untitled" in the folder.
    const fs::path path = dir / "shop.tov";
    dialogs.Choose(path.string());
    files.FileSave();
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(dialogs.requests[0].save);
    EXPECT_EQ(dialogs.requests[0].request.folder, dir.string());
    EXPECT_EQ(dialogs.requests[0].request.fileName, "Untitled");
    EXPECT_EQ(dialogs.requests[0].request.defaultExtension, "tov");
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(files.GetFileName(), path.string());
    EXPECT_FALSE(files.IsModified());
    EXPECT_EQ(files.TitleName(), "shop.tov");
    EXPECT_EQ(program.image.GetByte(kFinaliseMark), 0x5A) << "saved as reconciled";
    EXPECT_EQ(program.Settings().recentFiles.GetDisplayName(0, ""), path.string());
    EXPECT_EQ(program.Settings().currentFolder, dir.string());
    EXPECT_FALSE(program.busy);
    cmcEeprom saved;
    saved.Assign(program.image);

    // New: the default image packed, untitled and unmodified, the banks renamed.
    files.FileNew();
    bus.Pump();
    EXPECT_TRUE(program.image.IsEqual(program.defaultImage));
    EXPECT_EQ(program.packs, 1);
    EXPECT_TRUE(files.IsUntitled());
    EXPECT_FALSE(files.IsModified());
    EXPECT_EQ(program.sheetCloses, 1);
    EXPECT_EQ(Count(EV_RenameBank), layout::kBankCount);

    // The recent file is taken in: checked, the model following it, named and unmodified.
    files.OpenRecentFile(0);
    EXPECT_TRUE(program.image.IsEqual(saved));
    EXPECT_EQ(program.fullChecks, std::vector<bool>{false});
    EXPECT_EQ(program.detections, 1);
    EXPECT_EQ(files.GetFileName(), path.string());
    EXPECT_FALSE(files.IsModified());
    EXPECT_EQ(program.sheetCloses, 2);
    EXPECT_EQ(Count(EV_ModelChanged), 1);
    EXPECT_FALSE(program.busy);
    program.Edit('B');
    EXPECT_TRUE(files.IsModified());
}

// A file the document may not take leaves it as it was: image, name and modified flag.
TEST_F(indFileCommandsTest, ARefusedLoadLeavesTheDocument) {
    const fs::path good = dir / "good.tov";
    SaveAs(good);
    const std::string text = testsupport::FileContent(good);
    const fs::path shortFile = dir / "short.tov";
    std::ofstream(shortFile, std::ios::binary)
        << text.substr(0, text.rfind("\r\n", text.size() - 3) + 2);
    const fs::path damaged = dir / "damaged.tov";
    std::ofstream(damaged) << "this is no clone file\r\n";
    struct Case {
        fs::path path;
        bool unsound;
        bool newer;
        std::string reason;
    };
    const Case cases[] = {
        {damaged, false, false, "The file is not a clone file, or it is damaged."},
        {good, true, false, "The file holds data that does not belong to this radio."},
        {good, false, true, "The file holds newer data than this program can edit."},
        {shortFile, false, false, "The file does not hold all of the radio's memory."},
    };
    program.Edit('C');
    cmcEeprom before;
    before.Assign(program.image);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        boxes.boxes.clear();
        program.unsound = c.unsound;
        program.newer = c.newer;
        boxes.Answer(BoxAnswer::No);  // the changes may go
        EXPECT_EQ(files.LoadFile(c.path.string()), 1);
        ASSERT_EQ(boxes.boxes.size(), 2u);
        EXPECT_EQ(boxes.boxes[1].text, Refused(c.reason));
        EXPECT_TRUE(program.image.IsEqual(before));
        EXPECT_EQ(files.GetFileName(), good.string());
        EXPECT_TRUE(files.IsModified());
        EXPECT_EQ(program.detections, 0);
        EXPECT_FALSE(program.busy);
    }
    EXPECT_EQ(Count(EV_ModelChanged), 0);
    EXPECT_EQ(program.Settings().recentFiles.GetCount(), 1);
}

// A save that does not happen leaves the file, and the document as it was before the save began
// reconciling it: its image, name and modified flag.
TEST_F(indFileCommandsTest, AFailedSaveKeepsTheFileAndTheDocument) {
    const fs::path path = dir / "kept.tov";
    SaveAs(path);
    const std::string original = testsupport::FileContent(path);
    program.image.SetByte(kFinaliseMark, 0);
    program.Edit('D');
    cmcEeprom before;
    before.Assign(program.image);
    for (const bool readOnlyFile : {false, true}) {
        SCOPED_TRACE(readOnlyFile);
        boxes.boxes.clear();
        int result = 0;
        if (readOnlyFile) {
            fs::permissions(path, fs::perms::owner_read);
            const testsupport::PlainUserRights plainUser;
            if (const int fd = open(path.c_str(), O_WRONLY); fd >= 0) {
                close(fd);
                GTEST_SKIP() << "this user may write a read-only file";
            }
            result = files.SaveFile(path.string());
        } else {
            const testsupport::ReadOnlyFolder readOnly(dir);
            result = files.SaveFile(path.string());
        }
        EXPECT_EQ(result, 1);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, CannotOpen(EACCES));
        EXPECT_EQ(testsupport::FileContent(path), original);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no temporary file left";
        EXPECT_TRUE(program.image.IsEqual(before));
        files.UpdateModified();
        EXPECT_TRUE(files.IsModified());
        EXPECT_EQ(files.GetFileName(), path.string());
        EXPECT_FALSE(program.busy);
    }
}

// No to replacing a file brings the dialog back where the user was, not the end of the command.
TEST_F(indFileCommandsTest, NoToReplacingBringsTheDialogBack) {
    const fs::path existing = dir / "other.tov";
    std::ofstream(existing) << "the user's file\r\n";
    const fs::path another = dir / "another.tov";
    dialogs.Choose(existing.string());
    dialogs.Choose(another.string());
    boxes.Answer(BoxAnswer::No);
    EXPECT_EQ(files.SaveUnderChosenName(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "other.tov already exists. Replace it?");
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[1].request.folder, dir.string());
    EXPECT_EQ(dialogs.requests[1].request.fileName, "other.tov");
    EXPECT_EQ(testsupport::FileContent(existing), "the user's file\r\n");
    EXPECT_EQ(files.GetFileName(), another.string());

    dialogs.Choose(existing.string());
    boxes.Answer(BoxAnswer::Yes);
    EXPECT_EQ(files.SaveUnderChosenName(), 0);
    EXPECT_NE(testsupport::FileContent(existing), "the user's file\r\n");
    EXPECT_EQ(files.GetFileName(), existing.string());
}

// Opening the file that is open, by whatever name leads to it, asks to save the changes under
// another name; a copy of it is another file.
TEST_F(indFileCommandsTest, TheSameFileIsTheFileItself) {
    const fs::path file = dir / "a.tov";
    SaveAs(file);
    fs::copy_file(file, dir / "A.tov");
    fs::create_symlink("a.tov", dir / "link.tov");
    fs::create_hard_link(file, dir / "hard.tov");
    program.Edit('E');
    const std::string sameFile =
        "The open file has changes that have not been saved. Save them under another name first?";
    struct Case {
        const char* name;
        std::string question;
    };
    const Case cases[] = {
        {"A.tov", "The changes to a.tov have not been saved. Save them now?"},
        {"link.tov", sameFile},
        {"hard.tov", sameFile},
    };
    for (const Case& c : cases) {
        boxes.boxes.clear();
        boxes.Answer(BoxAnswer::Cancel);
        EXPECT_EQ(files.LoadFile((dir / c.name).string()), 1) << c.name;
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes.boxes[0].text, c.question) << c.name;
    }
}

TEST_F(indFileCommandsTest, SavingThroughALinkReplacesTheFileItLeadsTo) {
    fs::create_directory(dir / "shop");
    const fs::path target = dir / "shop" / "real.tov";
    SaveAs(target);
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const fs::path link = dir / "link.tov";
    fs::create_symlink("shop/real.tov", link);

    ASSERT_EQ(files.LoadFile(link.string()), 0);
    EXPECT_EQ(program.Settings().recentFiles.GetDisplayName(0, ""), link.string());
    EXPECT_EQ(program.Settings().currentFolder, dir.string()) << "the link's folder";
    program.Edit('F');
    EXPECT_EQ(files.SaveFile(link.string()), 0);
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "shop/real.tov");
    struct stat status;
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "shop"), {}), 1) << "no temporary file";

    program.image.SetByte(kComment, 0);
    ASSERT_EQ(files.LoadFile(target.string()), 0);
    EXPECT_EQ(program.image.GetByte(kComment), 'F');
}

// The question before changes are lost: Cancel stops the command, No lets it go on, Yes goes on
// only once the changes are saved (a cancelled Save As dialog cancels the command).
TEST_F(indFileCommandsTest, TheSaveChangesQuestion) {
    struct Case {
        const char* what;
        bool named;
        BoxAnswer answer;
        bool chooseName;
        BoxAnswer result;
    };
    const Case cases[] = {
        {"cancel", false, BoxAnswer::Cancel, false, BoxAnswer::Cancel},
        {"no", false, BoxAnswer::No, false, BoxAnswer::No},
        {"yes, no name chosen", false, BoxAnswer::Yes, false, BoxAnswer::Cancel},
        {"yes, a name chosen", false, BoxAnswer::Yes, true, BoxAnswer::Yes},
        {"yes, named", true, BoxAnswer::Yes, false, BoxAnswer::Yes},
    };
    const fs::path path = dir / "question.tov";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(path);
        files.SetFileName(c.named ? path.string() : "");
        program.Edit('G');
        boxes.boxes.clear();
        dialogs.requests.clear();
        boxes.Answer(c.answer);
        if (c.chooseName) {
            dialogs.Choose(path.string());
        }
        EXPECT_EQ(files.ConfirmDiscard(false), c.result);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].buttons, platform::BoxButtons::YesNoCancel);
        EXPECT_EQ(dialogs.requests.size(), c.answer == BoxAnswer::Yes && !c.named ? 1u : 0u);
        EXPECT_EQ(fs::exists(path), c.result == BoxAnswer::Yes);
        EXPECT_EQ(files.IsModified(), c.result != BoxAnswer::Yes);
        program.image.SetByte(kComment, 0);
        files.ClearModified();
    }
    // Nothing to lose: no question.
    boxes.boxes.clear();
    EXPECT_EQ(files.ConfirmDiscard(false), BoxAnswer::Yes);
    EXPECT_TRUE(boxes.boxes.empty());
}

// The model type's initial file beside the program fills the image; without it the program
// says what is missing and ends in order.
TEST_F(indFileCommandsTest, TheInitialFile) {
    const fs::path initial = dir / "InitialPmr.tov";
    SaveAs(initial);
    platform::SetProgramPath((dir / "tarnwick").string());
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    files.LoadInitialFile(MT_Pmr, image);
    EXPECT_TRUE(image.IsEqual(program.image));

    fs::remove(initial);
    EXPECT_THROW(files.LoadInitialFile(MT_Pmr, image), platform::NormalEnd);
    platform::SetProgramPath("");
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().text, "Cannot open '" + initial.string() + "'.");
    EXPECT_EQ(boxes.boxes.back().icon, platform::BoxIcon::Error);
}

}  // namespace
