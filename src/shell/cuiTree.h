#pragma once
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QTreeWidget>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellObj.h"

class cmcGTex;
struct cmcEvent;

// The navigation tree, built from the overlay entries N + "_BasicCell" and N + "_Body".
// Every node is a cell: its text is the node's caption, its image index the icon, its
// altText the reference of the sheet it opens, its user flags the removal classes.
// Nodes carry a mark (warning or error) drawn over their icon.
class cuiTree {
public:
    static constexpr int kNoMark = -1;
    static constexpr int kErrorMark = 0;
    static constexpr int kWarningMark = 1;

    cuiTree(QWidget* owner, cmcGTex& gtex, const std::string& entry, const QList<QIcon>& images);
    virtual ~cuiTree();
    cuiTree(const cuiTree&) = delete;
    cuiTree& operator=(const cuiTree&) = delete;

    void Build();
    QTreeWidget* Control() const { return m_tree; }
    const std::string& Entry() const { return m_entry; }

    static cmcCellObj* CellOf(QTreeWidgetItem* node);
    QTreeWidgetItem* FindBySheet(const std::string& reference) const;
    // The first node in tree order whose sheet reference names this entry (kind and
    // parameter aside).
    QTreeWidgetItem* FindByEntry(const std::string& entry) const;
    cmcCellObj* SelectedCell() const;
    // Every node in tree order.
    std::vector<QTreeWidgetItem*> Nodes() const;
    void DeleteNode(QTreeWidgetItem* node);
    void DeleteChildren(QTreeWidgetItem* node);
    // Adds a node built from one cell definition under parent (a top node without one).
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& definition,
                             int position = -1);

    void ClearMarks(QTreeWidgetItem* node);
    int Mark(QTreeWidgetItem* node, const std::vector<std::string>& references, int mark);
    static int MarkOf(QTreeWidgetItem* node);
    void SetImage(QTreeWidgetItem* node, int image);
    static int ImageOf(QTreeWidgetItem* node);

protected:
    static void OnEvent(void* context, const cmcEvent& event);
    virtual void HandleEvent(const cmcEvent& event);
    void SetMark(QTreeWidgetItem* node, int mark);
    void UpdateIcon(QTreeWidgetItem* node);
    void FreeUnused();

    QWidget* m_owner;
    cmcGTex& m_gtex;
    std::string m_entry;
    QList<QIcon> m_images;
    QPointer<QTreeWidget> m_tree;
    cmcCellObj m_template;
    std::list<std::unique_ptr<cmcCellObj>> m_cells;
};
