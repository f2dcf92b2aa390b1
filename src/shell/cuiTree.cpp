#include "shell/cuiTree.h"

#include <QHeaderView>
#include <QPainter>
#include <functional>

#include "common/cmcEvMan.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiColors.h"
#include "shell/Outline.h"
#include "shell/QtCellFont.h"

namespace {
constexpr int kCellRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kMarkRole = Qt::UserRole + 2;
}  // namespace

cuiTree::cuiTree(QWidget* owner, cmcGTex& gtex, const std::string& entry,
                 const QList<QIcon>& images)
    : m_owner(owner), m_gtex(gtex), m_entry(entry), m_images(images)
{
    m_tree = new QTreeWidget(owner);
    m_tree->setObjectName(QStringLiteral("NavigationTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setIconSize(QSize(16, 16));
    if (g_EvMan)
        g_EvMan->Subscribe(&cuiTree::OnEvent, this);
}

cuiTree::~cuiTree()
{
    if (g_EvMan)
        g_EvMan->Unsubscribe(&cuiTree::OnEvent, this);
    if (m_tree) {
        m_tree->hide();
        delete m_tree;
    }
}

void cuiTree::OnEvent(void* context, const cmcEvent& event)
{
    static_cast<cuiTree*>(context)->HandleEvent(event);
}

void cuiTree::HandleEvent(const cmcEvent&) {}

void cuiTree::Build()
{
    m_tree->clear();
    m_cells.clear();
    m_template = cmcCellObj();
    m_template.ParseCell(m_gtex.GetLine(m_entry + "_BasicCell", 0), nullptr, nullptr);
    if (const cmcFont* f = m_template.EffectiveFont())
        m_tree->setFont(ToQFont(*f, m_tree->font()));
    if (m_template.color != clWindow) {
        QPalette pal = m_tree->palette();
        pal.setColor(QPalette::Base, ToQColor(m_template.color, pal));
        m_tree->setPalette(pal);
    }
    const std::vector<OutlineLine> lines = ReadOutline(m_gtex, m_entry + "_Body");
    std::function<QTreeWidgetItem*(QTreeWidgetItem*, const OutlineLine&)> create =
        [this](QTreeWidgetItem* parent, const OutlineLine& line) {
            return AddNode(parent, line.definition);
        };
    size_t at = 0;
    while (at < lines.size())
        at += static_cast<size_t>(std::max(
            1, BuildOutlineLevel(lines, at, static_cast<QTreeWidgetItem*>(nullptr), create)));
    if (m_tree->topLevelItemCount() > 0)
        m_tree->topLevelItem(0)->setExpanded(true);
}

QTreeWidgetItem* cuiTree::AddNode(QTreeWidgetItem* parent, const std::string& definition,
                                  int position)
{
    auto cell = std::make_unique<cmcCellObj>();
    cell->ParseCell(definition, &m_template, nullptr);
    auto* node = new QTreeWidgetItem;
    node->setText(0, plat::ToQt(cell->Text()));
    node->setData(0, kCellRole,
                  QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(cell.get())));
    node->setData(0, kImageRole, cell->imageIndex);
    node->setData(0, kMarkRole, kNoMark);
    if (cell->font)
        node->setFont(0, ToQFont(*cell->font, m_tree->font()));
    m_cells.push_back(std::move(cell));
    if (parent) {
        if (position < 0 || position > parent->childCount())
            parent->addChild(node);
        else
            parent->insertChild(position, node);
    } else {
        m_tree->addTopLevelItem(node);
    }
    UpdateIcon(node);
    return node;
}

cmcCellObj* cuiTree::CellOf(QTreeWidgetItem* node)
{
    return node ? reinterpret_cast<cmcCellObj*>(node->data(0, kCellRole).value<quintptr>())
                : nullptr;
}

std::vector<QTreeWidgetItem*> cuiTree::Nodes() const
{
    std::vector<QTreeWidgetItem*> out;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* n) {
        out.push_back(n);
        for (int i = 0; i < n->childCount(); ++i)
            walk(n->child(i));
    };
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        walk(m_tree->topLevelItem(i));
    return out;
}

QTreeWidgetItem* cuiTree::FindBySheet(const std::string& reference) const
{
    for (QTreeWidgetItem* n : Nodes()) {
        cmcCellObj* c = CellOf(n);
        if (c && c->altText && *c->altText == reference)
            return n;
    }
    return nullptr;
}

QTreeWidgetItem* cuiTree::FindByEntry(const std::string& entry) const
{
    for (QTreeWidgetItem* n : Nodes()) {
        cmcCellObj* c = CellOf(n);
        if (!c || !c->altText)
            continue;
        std::string ref = *c->altText;
        ref = ref.substr(0, ref.find(','));
        const size_t close = ref.find(']');
        if (close != std::string::npos)
            ref = ref.substr(close + 1);
        if (ref == entry)
            return n;
    }
    return nullptr;
}

cmcCellObj* cuiTree::SelectedCell() const
{
    return CellOf(m_tree->currentItem());
}

void cuiTree::FreeUnused()
{
    std::vector<QTreeWidgetItem*> nodes = Nodes();
    m_cells.remove_if([&nodes](const std::unique_ptr<cmcCellObj>& c) {
        for (QTreeWidgetItem* n : nodes)
            if (CellOf(n) == c.get())
                return false;
        return true;
    });
}

void cuiTree::DeleteNode(QTreeWidgetItem* node)
{
    delete node;
    FreeUnused();
}

void cuiTree::DeleteChildren(QTreeWidgetItem* node)
{
    if (!node)
        return;
    qDeleteAll(node->takeChildren());
    FreeUnused();
}

int cuiTree::MarkOf(QTreeWidgetItem* node)
{
    return node ? node->data(0, kMarkRole).toInt() : kNoMark;
}

int cuiTree::ImageOf(QTreeWidgetItem* node)
{
    return node ? node->data(0, kImageRole).toInt() : -1;
}

void cuiTree::SetImage(QTreeWidgetItem* node, int image)
{
    node->setData(0, kImageRole, image);
    UpdateIcon(node);
}

void cuiTree::SetMark(QTreeWidgetItem* node, int mark)
{
    if (MarkOf(node) == mark)
        return;
    node->setData(0, kMarkRole, mark);
    UpdateIcon(node);
}

// The node's icon with the warning (image 8) or error (image 9) sign over its lower right.
void cuiTree::UpdateIcon(QTreeWidgetItem* node)
{
    const int image = ImageOf(node);
    const int mark = MarkOf(node);
    QIcon base = image >= 0 && image < m_images.size() ? m_images.at(image) : QIcon();
    if (mark == kNoMark) {
        node->setIcon(0, base);
        return;
    }
    const int markImage = mark == kErrorMark ? 9 : 8;
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    if (!base.isNull())
        p.drawPixmap(0, 0, base.pixmap(16, 16));
    if (markImage < m_images.size())
        p.drawPixmap(6, 6, m_images.at(markImage).pixmap(10, 10));
    p.end();
    node->setIcon(0, QIcon(pm));
}

void cuiTree::ClearMarks(QTreeWidgetItem* node)
{
    if (!node)
        return;
    SetMark(node, kNoMark);
    for (int i = 0; i < node->childCount(); ++i)
        ClearMarks(node->child(i));
}

int cuiTree::Mark(QTreeWidgetItem* node, const std::vector<std::string>& references, int mark)
{
    cmcCellObj* c = CellOf(node);
    bool self = false;
    if (c && c->altText)
        for (const std::string& r : references)
            if (r == *c->altText)
                self = true;
    int below = 0;
    for (int i = node->childCount() - 1; i >= 0; --i)
        below += Mark(node->child(i), references, mark);
    if (self || (below > 0 && !node->isExpanded()))
        SetMark(node, mark);
    return (self ? 1 : 0) + below;
}
