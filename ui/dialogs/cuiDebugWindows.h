#pragma once

#include <vector>

#include <QPointer>

class QRect;
class QWidget;
class ItemRegistry;
class cmcEeprom;
class cmcGTex;
class cuiImageList;

// The program's debug windows over its document: the event window, the image windows that
// show the document image against the compare snapshot, and the list of the bytes that differ.
// The main window owns one.
class cuiDebugWindows {
public:
    // Nothing is owned; the images must outlive the windows (CloseAll before they go).
    cuiDebugWindows(cmcGTex& table, const ItemRegistry& rows, cmcEeprom& image,
                    cmcEeprom& snapshot);
    cuiDebugWindows(const cuiDebugWindows&) = delete;
    cuiDebugWindows& operator=(const cuiDebugWindows&) = delete;

    void OpenEventWindow(QWidget* owner);
    // The window's own items show the image against the snapshot; its other cells run through
    // the memory map.
    void OpenImageWindow(QWidget* owner, const cuiImageList* images);
    // Lists every byte of the image that differs from the snapshot in a modal window at the
    // place, after the snapshot has taken the image (so the next compare shows what changed
    // since).
    void ShowCompare(QWidget* owner, const QRect& place);
    // The image windows still open close.
    void CloseAll();

private:
    cmcGTex& table_;
    const ItemRegistry& rows_;
    cmcEeprom& image_;
    cmcEeprom& snapshot_;
    std::vector<QPointer<QWidget>> imageForms_;
};
