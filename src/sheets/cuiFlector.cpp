#include "sheets/cuiFlector.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {
int s_live = 0;
}  // namespace

cuiFlector::cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                       cmcGTex* store, const std::string& entryName)
    : cuiFlector(capsule, listId, initialValue, store, entryName, SheetFactory())
{
}

cuiFlector::cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                       cmcGTex* store, const std::string& entryName, const SheetFactory& factory)
    : cuiPopupForm(capsule, Kind::Popup, OnLeave::Cancel),
      m_store(store),
      m_entryName(entryName),
      m_images(capsule.images)
{
    ++s_live;
    Open(capsule, listId, initialValue, factory);
}

cuiFlector::~cuiFlector()
{
    --s_live;
    m_sheet.reset();
}

int cuiFlector::LiveCount()
{
    return s_live;
}

void cuiFlector::Open(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                      const SheetFactory& factory)
{
    QWidget* window = Window();
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    window->resize(320, 240);

    // The list's context is the stored copy, whose rectangle outlives the opener's request.
    if (factory)
        m_sheet = factory(window, Stored(), listId, initialValue, m_store, m_entryName, m_images);
    else
        m_sheet = std::make_unique<cuiSheet>(window, &Stored(), listId, initialValue, m_store,
                                             m_entryName, m_images);
    // The list answers through the rules of the sheet it edits.
    if (capsule.sheet && capsule.sheet->Rules())
        m_sheet->SetRules(capsule.sheet->Rules(), capsule.sheet->RulesContext());
    m_sheet->SetPopupMode(true);
    m_sheet->Show();

    cuiGrid* grid = m_sheet->Grid();
    const QScreen* screen = Owner() ? Owner()->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    grid->SetScrollBars(false);
    layout->activate();
    int w = m_sheet->NeededWidth();
    int h = m_sheet->NeededHeight();
    if (w > work.width() || h > work.height()) {
        grid->SetScrollBars(true);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        layout->activate();
        w = std::min(m_sheet->NeededWidth(), work.width());
        h = std::min(m_sheet->NeededHeight(), work.height());
    }
    window->resize(w, h);
    layout->activate();
    m_sheet->ScrollHome();
    PlaceNextToCell();
    ShowForm();
    grid->setFocus();
}
