#pragma once

#include <string>

#include "ui/widgets/cuiTree.h"

// The main window's tree of sheets. It also keeps the channel-bank nodes current: their icons
// follow the bank table of the current image on EV_RefreshBankMarks, their labels follow
// EV_RenameBank (B = the bank, text = the label). Only the first node and the nodes below it
// are visited.
class iuiTree : public cuiTree {
public:
    iuiTree(QWidget* panel, cmcGTex& table, std::string baseName, const cuiImageList& images);
    ~iuiTree() override;

    void OnEvent(const cmcEvent& event);
    // A bank node's icon: 4, + 2 when the bank's flag bit is set, + 1 when it holds channels.
    void RefreshBankIcons(QTreeWidgetItem* node);
    void RenameBank(QTreeWidgetItem* node, int bank, const std::string& label);

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    cmcEvMan* bus_;
};
