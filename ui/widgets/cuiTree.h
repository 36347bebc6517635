#pragma once

#include <array>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QPixmap>
#include <QPointer>

#include "radio/cells/cmcCellObj.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class cmcEvMan;
class cmcGTex;
class cmcTask;
class cuiImageList;
struct cmcEvent;

// A tree of cells built from the section pair <base>_BasicCell / <base>_Body of a text table,
// shown in a read-only tree view on a parent panel. Each node carries its cell: the caption is
// the node's text, the image index its icon, and the option text of a sheet node the sheet
// spec that the CallSheet command opens. A node's icon can carry an overlay: 0 the error
// mark, 1 the warning mark of the image list.
//
// Nodes are QTreeWidgetItems; "none" as a parent means the top level. The cells live in the
// tree's own list and are released when no node carries them any more.
class cuiTree {
public:
    using ChangeHandler = std::function<void(QTreeWidgetItem* node)>;

    static constexpr int kNoOverlay = -1;
    static constexpr int kErrorOverlay = 0;
    static constexpr int kWarningOverlay = 1;

    // The panel and image list are not owned; the image list must outlive the tree. The view
    // is made on the panel at once; subscribes to the program's bus when one is installed.
    cuiTree(QWidget* panel, cmcGTex& table, std::string baseName, const cuiImageList& images);
    virtual ~cuiTree();
    cuiTree(const cuiTree&) = delete;
    cuiTree& operator=(const cuiTree&) = delete;

    // Parses the template, takes its font and colour, adds the body's nodes, expands the first
    // node and takes the overlays from the image list (9 error, 8 warning).
    void Build();
    // Adds the group of nodes of a body section from line first under parent; returns the
    // lines used.
    int AddNodes(QTreeWidgetItem* parent, const std::string& section, int first);
    // A node for one body line, added as the last child of parent (none: at the end of the
    // top level).
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& line);
    // Deletes every child of the node, then releases the cells no node carries any more.
    void ClearChildren(QTreeWidgetItem* node);
    // Deletes, again and again, the first node whose cell carries Flag<flag> (0..7), until
    // none does; a node goes with its children.
    void FilterByFlag(int flag);

    // The first node in node order whose cell's option text is spec, exactly; or none.
    QTreeWidgetItem* FindNode(std::string_view spec) const;
    // The cell of the selected node, or none.
    cmcCellObj* GetSelectedCell() const;

    // The overlay of the node and of all its descendants := none.
    void ClearOverlays(QTreeWidgetItem* node);
    // Marks the node when its own option text is listed, or when it is collapsed and a node
    // below it is marked; returns the node's own mark plus the marks below it.
    int MarkOverlays(QTreeWidgetItem* node, const std::vector<std::string>& list, int overlay);
    // The warning check's marks on the whole tree, from the option texts of the sheets with
    // warnings and with errors; an error mark wins over a warning mark on the same node.
    void MarkWarningChecks(const std::vector<std::string>& warnings,
                           const std::vector<std::string>& errors);

    // The change handler runs once the selection has rested for the delay (ms); 0 or less
    // runs it at every change.
    void SetChangeDelay(int ms);
    void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }
    // The delay of the program's table: line 0 of "GI_Sys_TreeChangeDelay", milliseconds.
    static int ReadChangeDelay(cmcGTex& table);

    // EV_ControlDestroyed of the parent panel: the view goes with its panel and the tree keeps
    // nothing; the owner still deletes the object.
    void OnEvent(const cmcEvent& event);

    // The width the view needs to show the name of every node whole at its depth, collapsed
    // or not: the item and a little air, the view's frame and room for its vertical scroll
    // bar. 0 without a view.
    int FittingWidth() const;

    // The view; null once its panel has gone.
    QTreeWidget* View() const { return view_; }
    // Every node in node order (parents before their children, children in order).
    std::vector<QTreeWidgetItem*> Nodes() const;
    int NodeCount() const { return static_cast<int>(Nodes().size()); }
    // The node at its absolute index in node order, or none.
    QTreeWidgetItem* NodeAt(int absoluteIndex) const;
    // -1 for a node that is not in the tree.
    int AbsoluteIndex(const QTreeWidgetItem* node) const;

    static cmcCellObj* CellOf(const QTreeWidgetItem* node);
    static bool HasFlag(const cmcCellObj& cell, int flag);
    static int ImageIndex(const QTreeWidgetItem* node);
    static int SelectedIndex(const QTreeWidgetItem* node);
    static int Overlay(const QTreeWidgetItem* node);
    void SetImageIndex(QTreeWidgetItem* node, int image);
    void SetSelectedIndex(QTreeWidgetItem* node, int image);
    void SetOverlay(QTreeWidgetItem* node, int overlay);

protected:
    QTreeWidgetItem* FirstNode() const;

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    void SetNodeValue(QTreeWidgetItem* node, int role, int value);
    void UpdateIcon(QTreeWidgetItem* node);
    QPixmap Picture(int image, int overlay) const;
    void ApplyTemplateLook();
    void OnCurrentChanged();
    void DeliverChange();
    void ReleaseUnusedCells();
    void ForgetView();

    QPointer<QWidget> panel_;
    cmcGTex& table_;
    std::string baseName_;
    const cuiImageList& images_;
    QPointer<QTreeWidget> view_;
    cmcEvMan* bus_;
    std::unique_ptr<cmcCellObj> template_;
    std::list<std::unique_ptr<cmcCellObj>> cells_;
    // Image-list indices of the overlays 0 and 1; -1 until Build.
    std::array<int, 2> overlayImages_{-1, -1};
    // The pictures composed so far, by image and overlay: most nodes share a few.
    mutable std::map<std::pair<int, int>, QPixmap> pictures_;
    ChangeHandler onChange_;
    int changeDelay_ = 0;
    cmcTask* changeTask_ = nullptr;
};
