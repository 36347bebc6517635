#pragma once

#include <QString>
#include <string>

// The file-type filter of the table ("description|patterns|description|patterns", patterns
// separated by ";") as a file dialog filter ("description (patterns);;..."). A description
// that does not already end in its patterns gets them added, since the dialog reads the
// patterns from there.
QString OpenDialogFilter(const std::string& tableFilter);
