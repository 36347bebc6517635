#pragma once

class indEnviron;

// The commands of the program's menus and tool bar that act on the whole program rather than
// on a field: the file and clone commands and closing the main window. The main window
// implements them; the rows of these items run them on Enter and read and change the program's
// settings that the menus show. Tests use testsupport::FakeShell.
class indMenuCommands {
public:
    virtual ~indMenuCommands() = default;

    // The program's settings, which the menus' rows read and change directly.
    virtual indEnviron& Settings() = 0;

    virtual void FileNew() = 0;
    virtual void FileOpen() = 0;
    // Saves under the document's name; an untitled document asks for one.
    virtual void FileSave() = 0;
    virtual void FileSaveAs() = 0;
    // Opens the file of entry n of the recent-file list.
    virtual void OpenRecentFile(int n) = 0;
    virtual void CloseMainWindow() = 0;

    virtual void CloneRead() = 0;
    virtual void CloneWrite() = 0;
    virtual void CloneInfo() = 0;
    // The port dialog for a port beyond those the Port menu lists.
    virtual void SelectComPort() = 0;
};
