#pragma once

// Outcome of reading or writing a clone file.
enum TovResult {
    TOV_Ok = 0,
    TOV_FileOpen = 1,    // the file could not be opened (or, for a save, created)
    TOV_FileAccess = 2,  // a save could not be completed; the old file stays
    TOV_Model = 3,       // the header names another model
    TOV_Extra = 4,       // the header names another variant
    TOV_MapRev = 5,      // the map revision is refused
    TOV_Format = 6,      // not a clone file, or a damaged one
    TOV_Coverage = 7,    // required bytes are missing
    TOV_Data = 8,        // bytes outside the image or the required ranges
    TOV_Newer = 9,       // newer data than the program accepts (found by the caller)
};

// The warning box for a result: headline and the code's own message from the main text table,
// captioned with the program's title, and, for a file the system refused, the system's reason
// (its error number, or platform::kNotRegularFile; 0 for none). Nothing for TOV_Ok or a code
// outside the table.
void ShowCloneFileResult(int code, int systemError = 0);
