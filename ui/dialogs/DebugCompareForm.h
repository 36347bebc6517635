#pragma once

#include <QRect>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QWidget;

// The debug compare window: the listing in a read-only text box above a "Close" button (the
// default and the cancel button), placed at the given screen rectangle. Not shown yet.
std::unique_ptr<QDialog> MakeDebugCompareForm(QWidget* owner, const QRect& place,
                                              const std::vector<std::string>& lines);
