#pragma once

#include <string>

// The message of a clone result code (CDrvCode), from the main text table: line code of
// "GI_Mess_CloneErr_Head", a blank line, then the lines of "GI_Mess_CloneErr_Check" that fit
// the failure. Empty for CDRV_Ok and CDRV_Cancelled, which show no box. The head line of a
// port that would not open names the port number. A format error that was the radio's
// refusal of written data (refused) says so instead, with its own head line.
std::string CloneErrorText(int code, int portNumber, bool refused = false);
