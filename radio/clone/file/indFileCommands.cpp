#include "radio/clone/file/indFileCommands.h"

#include <optional>

#include "common/CurrentEvMan.h"
#include "common/cmcGTex.h"
#include "platform/FileChecks.h"
#include "platform/ProgramInfo.h"
#include "radio/clone/ImageIntake.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/clone/file/CloneFileRules.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"
#include "radio/host/FileCommandHost.h"
#include "radio/host/indEnviron.h"
#include "radio/image/DocumentRanges.h"
#include "radio/image/DottedText.h"
#include "radio/image/ImageLayout.h"
#include "radio/packing/ImageFinalise.h"

namespace {

std::string FilePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A question's "%s" becomes the file name (the table's text is never used as a format).
std::string ReplaceName(std::string text, const std::string& name) {
    const size_t place = text.find("%s");
    if (place != std::string::npos) {
        text.replace(place, 2, name);
    }
    return text;
}

// The hour-glass while a file is read or written.
class Busy {
public:
    explicit Busy(FileCommandHost& files) : files_(files) { files_.ShowBusy(true); }
    ~Busy() { files_.ShowBusy(false); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    FileCommandHost& files_;
};

int RefusalCode(IntakeRefusal refusal) {
    switch (refusal) {
        case IntakeRefusal::Unsound:
            return TOV_Data;
        case IntakeRefusal::Newer:
            return TOV_Newer;
        case IntakeRefusal::None:
            break;
    }
    return TOV_Ok;
}

}  // namespace

indFileCommands::indFileCommands(CloneDocument& document, CloneCommandHost& host,
                                 FileCommandHost& files, cmcGTex& table, indEnviron& settings,
                                 std::string folder)
    : document_(document),
      host_(host),
      files_(files),
      table_(table),
      settings_(settings),
      folder_(std::move(folder)) {}

// ---- The document's name and modified flag ----

std::string indFileCommands::GetFileName() const {
    return IsUntitled() ? folder_ + "/Untitled" : fileName_;
}

std::string indFileCommands::TitleName() const {
    return FilePart(GetFileName()) + (modified_ ? "*" : "");
}

void indFileCommands::SetFileName(const std::string& name) {
    fileName_ = name;
    files_.UpdateTitle();
}

void indFileCommands::SetModified() {
    modified_ = true;
    files_.UpdateTitle();
}

void indFileCommands::ClearModified() {
    savedImage_.Assign(document_.CurrentImage());
    modified_ = false;
    files_.UpdateTitle();
}

void indFileCommands::UpdateModified() {
    if (!modified_ && document_.CurrentImage().IsDifferent(savedImage_)) {
        SetModified();
    }
}

// ---- The save-changes question ----

platform::BoxAnswer indFileCommands::ConfirmDiscard(bool saveAs) {
    host_.ClosePopups();
    if (!modified_) {
        return platform::BoxAnswer::Yes;
    }
    std::string question = table_.GetLine("GI_Mess_Confirm_WriteAnother", 0);
    if (!saveAs) {
        question =
            ReplaceName(table_.GetLine("GI_Mess_Confirm_WriteFile", 0), FilePart(GetFileName()));
    }
    const platform::BoxAnswer answer =
        platform::Boxes().Show(question, table_.GetLine("GI_Sys_AppTitle", 0),
                               platform::BoxIcon::Warning, platform::BoxButtons::YesNoCancel);
    if (answer != platform::BoxAnswer::Yes) {
        return answer;
    }
    const int saved = IsUntitled() || saveAs ? SaveUnderChosenName() : SaveFile(GetFileName());
    return saved == 0 ? platform::BoxAnswer::Yes : platform::BoxAnswer::Cancel;
}

// ---- Files ----

platform::FileDialogRequest indFileCommands::DialogRequest(const std::string& fileName) const {
    return {folder_, fileName, table_.GetLine("GI_Sys_Dialog_FOpen", 0),
            table_.GetLine("GI_Sys_Dialog_FOpen", 1)};
}

bool indFileCommands::AgreesToReplace(const std::string& path) {
    return platform::Boxes().Show(
               ReplaceName(table_.GetLine("GI_Mess_Confirm_Overwrite", 0), FilePart(path)),
               table_.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Warning,
               platform::BoxButtons::YesNo) == platform::BoxAnswer::Yes;
}

void indFileCommands::BindFile(cmcTovFile& file, cmcEeprom& image) {
    file.SetImage(&image);
    file.SetModelId(files_.ModelCode());
    file.SetExtraId(files_.SecondId());
    file.SetMapRevHandler([](int mapRev) { return mapRev == clonefile::kMapRevision; });
    file.SetHeaderHandler(
        [this](int id1, int id2, int* code) { return files_.CheckFileHeader(id1, id2, *code); });
}

void indFileCommands::TakeFolder(const std::string& path) {
    folder_ = FolderPart(path);
    settings_.currentFolder = folder_;
    settings_.recentFiles.AddToTop(path);
}

void indFileCommands::LoadInitialFile(ModelType model, cmcEeprom& image) {
    const std::string path =
        platform::ProgramDataDir() + table_.GetLine("GI_App_InitialFile", model);
    cmcTovFile file;
    BindFile(file, image);
    const AddressRangeList ranges = files_.GetAddressRanges(RANGE_Load);
    // Outside data: the program says what is missing and ends in order, never as a crash.
    if (file.Read(path, &ranges) != TOV_Ok) {
        const std::string text = "Cannot open '" + path + "'.";
        platform::ShowBox(text, platform::BoxIcon::Error);
        throw platform::NormalEnd(text);
    }
}

// ---- The commands ----

void indFileCommands::FileNew() {
    if (ConfirmDiscard(false) == platform::BoxAnswer::Cancel) {
        return;
    }
    cmcEeprom& image = document_.CurrentImage();
    image.Assign(document_.DefaultImage());
    files_.PackImage();
    ClearModified();
    SetFileName("");
    host_.CloseSheet();
    if (cmcEvMan* bus = CurrentEvMan()) {
        for (int bank = 0; bank < layout::kBankCount; ++bank) {
            bus->PostText(EV_RenameBank, 0, bank, FormatBankLabel(image, bank));
        }
    }
}

void indFileCommands::FileOpen() {
    host_.ClosePopups();
    if (const std::optional<std::string> path = platform::Dialogs().ChooseOpen(DialogRequest(""))) {
        LoadFile(*path);
    }
}

// The document changes only after the file was read and its image passed every check.
int indFileCommands::LoadFile(const std::string& path) {
    const bool sameFile = !IsUntitled() && platform::SameFile(path, GetFileName());
    if (ConfirmDiscard(sameFile) == platform::BoxAnswer::Cancel) {
        return 1;
    }
    const Busy busy(files_);
    cmcEeprom loaded;
    loaded.Resize(document_.CurrentImage().GetSize());
    cmcTovFile file;
    BindFile(file, loaded);
    if (file.Read(path, nullptr) != TOV_Ok) {
        return 1;
    }
    int refusal = RefusalCode(CheckIntake(document_, loaded, false));
    if (refusal == TOV_Ok) {
        refusal = file.CheckCoverage(files_.GetAddressRanges(RANGE_Load));
    }
    if (refusal != TOV_Ok) {
        ShowCloneFileResult(refusal);
        return 1;
    }
    TakeFolder(path);
    TakeInImage(document_, host_, loaded, path, false);
    return 0;
}

void indFileCommands::FileSave() {
    if (IsUntitled()) {
        SaveUnderChosenName();
    } else {
        SaveFile(GetFileName());
    }
}

void indFileCommands::FileSaveAs() {
    SaveUnderChosenName();
}

int indFileCommands::SaveUnderChosenName() {
    platform::FileDialogRequest request = DialogRequest(FilePart(GetFileName()));
    for (;;) {
        const std::optional<std::string> path = platform::Dialogs().ChooseSave(request);
        if (!path) {
            return 1;
        }
        if (!platform::NameExists(*path) || AgreesToReplace(*path)) {
            return SaveFile(*path);
        }
        // Not that file: the dialog comes back where the user was.
        request.folder = FolderPart(*path);
        request.fileName = FilePart(*path);
    }
}

int indFileCommands::SaveFile(const std::string& path) {
    host_.ClosePopups();
    // A save that does not happen leaves the document as it was, its modified flag included.
    cmcEeprom& image = document_.CurrentImage();
    cmcEeprom before;
    before.Assign(image);
    files_.FinaliseImage(image, FINALISE_GoingOut);
    cmcTovFile file;
    BindFile(file, image);
    file.SetMapRev(clonefile::kMapRevision);
    file.SetComment(clonefile::CommentOf(image));
    const Busy busy(files_);
    if (file.Write(path, files_.GetAddressRanges(RANGE_Save)) != TOV_Ok) {
        image.Assign(before);
        return 1;
    }
    TakeFolder(path);
    SetFileName(path);
    ClearModified();
    return 0;
}

void indFileCommands::OpenRecentFile(int n) {
    const std::string path = settings_.recentFiles.GetDisplayName(n, "");
    if (!path.empty()) {
        LoadFile(path);
    }
}
