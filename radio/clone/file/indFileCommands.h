#pragma once

#include <string>

#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

class CloneCommandHost;
class CloneDocument;
class FileCommandHost;
class cmcGTex;
class cmcTovFile;
class indEnviron;

// The document as a clone file and the File menu's commands on it: the folder the dialogs
// open in, the file name (none while untitled), the modified flag against the copy last loaded
// or saved; the save-changes question, New, Open, Save, Save As, the recent files and the
// model types' initial files, over the platform's file dialogs and message boxes. The
// application object owns one and forwards its file commands to it.
class indFileCommands {
public:
    // The table, settings and the program's pieces are not owned; the dialogs start in folder.
    indFileCommands(CloneDocument& document, CloneCommandHost& host, FileCommandHost& files,
                    cmcGTex& table, indEnviron& settings, std::string folder);
    indFileCommands(const indFileCommands&) = delete;
    indFileCommands& operator=(const indFileCommands&) = delete;

    // ---- The document's name and modified flag ----
    // The file name, or "Untitled" in the document folder for an untitled document.
    std::string GetFileName() const;
    void SetFileName(const std::string& name);
    bool IsUntitled() const { return fileName_.empty(); }
    bool IsModified() const { return modified_; }
    // The name as the window's title shows it: the file's name without its folder, and a star
    // after it while there are unsaved changes.
    std::string TitleName() const;
    void SetModified();
    void ClearModified();
    // Sets the modified flag once the current image differs from the saved copy.
    void UpdateModified();
    const std::string& DocumentFolder() const { return folder_; }

    // ---- The commands ----
    // Asks whether to save the changes before they are lost: Yes (saved), No or Cancel. With
    // saveAs set the changes go to a new name (the file itself is about to be read again).
    platform::BoxAnswer ConfirmDiscard(bool saveAs);
    // Reads the model type's initial clone file into image; the program ends when it cannot.
    void LoadInitialFile(ModelType model, cmcEeprom& image);
    void FileNew();
    void FileOpen();
    // Each is 0 when the document was loaded or saved, 1 when not (cancelled or refused; the
    // file's own box has said why). A failed load leaves the document as it was; a failed
    // save leaves the file, the name, the image and the modified flag as they were.
    int LoadFile(const std::string& path);
    int SaveFile(const std::string& path);
    void FileSave();
    void FileSaveAs();
    // The save dialog, then SaveFile; a name that exists already is replaced only when the
    // user agrees, and No brings the dialog back.
    int SaveUnderChosenName();
    // Opens the file of entry n of the recent-file list.
    void OpenRecentFile(int n);

private:
    platform::FileDialogRequest DialogRequest(const std::string& fileName) const;
    bool AgreesToReplace(const std::string& path);
    // The clone-file object over an image with the program's ids and header checks.
    void BindFile(cmcTovFile& file, cmcEeprom& image);
    // A file loaded or saved leads the recent-file list, and its folder is the dialogs' next.
    void TakeFolder(const std::string& path);

    CloneDocument& document_;
    CloneCommandHost& host_;
    FileCommandHost& files_;
    cmcGTex& table_;
    indEnviron& settings_;
    std::string folder_;
    std::string fileName_;
    bool modified_ = false;
    cmcEeprom savedImage_;
};
