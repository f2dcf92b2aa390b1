#include "sheets/cuiFSegText.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "cells/Segchar.h"
#include "cells/SegmentText.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiPainterCanvas.h"
#include "sheets/cuiSheet.h"

namespace {

// The segment drawing of the text being edited.
class SegPreview : public QWidget {
public:
    explicit SegPreview(cuiFSegText* owner, QWidget* parent) : QWidget(parent), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        p.setPen(Qt::black);
        p.drawRect(0, 0, width() - 1, height() - 1);
        cuiPainterCanvas canvas(&p, palette());
        canvas.SetFontColor(clWindowText);
        const cmcRect r{1, 2, width() - 2, height() - 2};
        const std::string& bytes = m_owner->StoredBytes();
        // Always n positions, whatever the length of the typed text.
        std::string shown = bytes.substr(0, static_cast<size_t>(std::max(m_owner->Length(), 0)));
        DrawSegmentText(canvas, r, reinterpret_cast<const uint8_t*>(shown.c_str()),
                        m_owner->Length(), cuiFSegText::kPerRow, 1, m_owner->UserChars(),
                        Segchar::FromOverlay());
    }

private:
    cuiFSegText* m_owner;
};

// The field's first text: the whole current text, or a typed character as it was typed
// (a typed "%" starts an escape, a typed "." a lone point).
std::string InitialField(const std::string& stored, bool selectAll)
{
    if (!selectAll && stored.size() == 1) {
        const auto c = static_cast<unsigned char>(stored[0]);
        if (c == 0xA0)
            return ".";
        if (c >= 32 && c <= 126)
            return stored;
    }
    return SegStoredToEscaped(stored);
}

}  // namespace

cuiFSegText::cuiFSegText(const cmcCellCapsule& capsule, cmcGTex* store,
                         const std::string& storedBytes, bool selectAll, int length,
                         const uint8_t* userChars)
    : cuiPopupForm(capsule, Kind::Popup, OnLeave::Commit),
      m_store(store ? store : g_GTex),
      m_length(length < 0 ? 0 : length)
{
    if (userChars)
        std::memcpy(m_userChars, userChars, sizeof m_userChars);

    QWidget* window = Window();
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* bevel = new QFrame(window);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);
    outer->addWidget(bevel);
    auto* inside = new QVBoxLayout(bevel);
    inside->setContentsMargins(2, 2, 2, 2);
    inside->setSpacing(0);

    // The text field, in the edited cell's font.
    m_field = new QLineEdit(bevel);
    m_field->setMaxLength(kMaxChars);
    if (Owner())
        m_field->setFont(Owner()->font());
    const int fieldHeight = QFontMetrics(m_field->font()).height() * 3 / 2;
    m_field->setFixedHeight(fieldHeight + 4);
    inside->addWidget(m_field);

    auto* previewPanel = new QWidget(bevel);
    auto* pl = new QVBoxLayout(previewPanel);
    pl->setContentsMargins(5, 5, 5, 5);
    m_preview = new SegPreview(this, previewPanel);
    pl->addWidget(m_preview);
    previewPanel->setFixedHeight(fieldHeight + 4 + 2 + 10);
    inside->addWidget(previewPanel);

    auto* sheetPanel = new QWidget(bevel);
    inside->addWidget(sheetPanel, 1);

    auto* bottom = new QWidget(bevel);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->setSpacing(8);
    buttons->addStretch(1);
    m_ok = new QPushButton(plat::ToQt(m_store->GetLine("GI_AppInd_Button_OkCancel", 0)), bottom);
    m_cancel =
        new QPushButton(plat::ToQt(m_store->GetLine("GI_AppInd_Button_OkCancel", 1)), bottom);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    inside->addWidget(bottom);
    QObject::connect(m_ok, &QPushButton::clicked, this, [this] { Commit(); });
    QObject::connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });

    m_field->setText(plat::ToQt(InitialField(storedBytes, selectAll)));
    OnTextChanged();
    QObject::connect(m_field, &QLineEdit::textChanged, this, [this] { OnTextChanged(); });
    if (selectAll)
        m_field->selectAll();
    else
        m_field->end(false);

    m_sheet = std::make_unique<cuiSheet>(sheetPanel, &Stored(), Flex0, 0, m_store,
                                         "GI_Sheet_Sel_Text", capsule.images);
    m_sheet->SetRules(&cuiFSegText::Rules, this);
    m_sheet->Show();
    cuiGrid* grid = m_sheet->Grid();
    grid->SetScrollBars(true);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int w = m_sheet->NeededWidth();
    const int h = m_sheet->NeededHeight();
    sheetPanel->setFixedSize(w, h * 5 / 8);
    window->adjustSize();
    m_sheet->ScrollHome();
    PlaceNextToCell();
    ShowForm();
    m_field->setFocus();
    window->activateWindow();
}

cuiFSegText::~cuiFSegText()
{
    m_sheet.reset();
}

std::string cuiFSegText::FieldText() const
{
    std::string bytes;
    if (!plat::FromQt(m_field->text(), bytes))
        return std::string();
    return bytes;
}

void cuiFSegText::OnTextChanged()
{
    if (m_filtering)
        return;
    // Line breaks become spaces; a character that is not one byte of the code page is
    // refused, so that what is stored is what the field shows.
    const QString text = m_field->text();
    QString kept;
    bool changed = false;
    for (const uint ch : text.toUcs4()) {
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&ch), 1);
        if (ch == '\n' || ch == '\r' || ch == '\t') {
            kept += QLatin1Char(' ');
            changed = true;
            continue;
        }
        std::string b;
        if (!plat::FromQt(one, b) || b.size() != 1) {
            changed = true;
            continue;
        }
        kept += one;
    }
    if (changed) {
        const int pos = std::min(m_field->cursorPosition(), static_cast<int>(kept.size()));
        m_filtering = true;
        m_field->setText(kept);
        m_field->setCursorPosition(pos);
        m_filtering = false;
    }
    m_bytes = SegEscapedToStored(FieldText());
    if (m_preview)
        m_preview->update();
}

void cuiFSegText::Insert(const std::string& bytes, bool focus)
{
    m_field->insert(plat::ToQt(bytes));
    if (focus)
        m_field->setFocus();
}

void cuiFSegText::DoCommit()
{
    AnswerChoice(FieldText());
}

bool cuiFSegText::OnEnter()
{
    Commit();
    return true;
}

int cuiFSegText::Rules(void* self, cmcCellCapsule* capsule, int mode)
{
    return static_cast<cuiFSegText*>(self)->Run(capsule, mode);
}

int cuiFSegText::Run(cmcCellCapsule* capsule, int mode)
{
    cmcCellCapsule& cap = *capsule;
    if (!cap.cell)
        return 0;
    if (cap.cell->id != Flex0) {
        void* context = nullptr;
        const cmcCellRulesFn rules = OwnerRules(&context);
        if (rules && Stored().cell && cap.cell->id != Stored().cell->id)
            return rules(context, capsule, 0);
        return 0;
    }
    const int code = cap.cell->index & 0xFF;
    if (mode == 1) {
        const int32_t key = cap.key;
        if (key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyDoubleClick) {
            const std::string one(1, static_cast<char>(code));
            Insert(SegStoredToEscaped(one), key == cmcCellCapsule::kKeyDoubleClick);
        } else if (key == cmcCellCapsule::kKeyEnter) {
            Commit();
        } else if (key == cmcCellCapsule::kKeyBackspace || key == 27) {
            m_field->setFocus();
        } else if (key > 32 && key <= 255) {
            // A key typed on the sheet goes to the field as typed.
            Insert(std::string(1, static_cast<char>(key)), true);
        }
        cap.key = 0;
    }
    cap.text.clear();
    if (cap.canvas && cap.rect) {
        const uint8_t one[2] = {static_cast<uint8_t>(code), 0};
        DrawSegmentText(*cap.canvas, *cap.rect, one, 1, kPerRow, 1, m_userChars,
                        Segchar::FromOverlay());
    }
    return 0;
}
