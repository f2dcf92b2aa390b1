#include "maker/cuiSegEdit.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"

namespace {

class GlyphCanvas : public QWidget {
public:
    GlyphCanvas(cuiSegEdit* editor, QWidget* parent) : QWidget(parent), m_editor(editor)
    {
        setFixedSize(cuiSegEdit::kCanvasSize, cuiSegEdit::kCanvasSize);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_editor->Paint(this); }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            m_editor->ClickAt(e->position().toPoint().x(), e->position().toPoint().y());
    }

private:
    cuiSegEdit* m_editor;
};

double Area(double ax, double ay, double bx, double by, double cx, double cy)
{
    return std::fabs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2;
}

std::string Text(const char* key, int line, const char* fallback)
{
    return g_GTex ? g_GTex->GetLine(key, line) : std::string(fallback);
}

}  // namespace

cuiSegEdit::cuiSegEdit(const cmcCellCapsule& capsule, int /*unused*/, uint16_t pattern)
    : cuiPopupForm(capsule, Kind::Modal, OnLeave::Cancel),
      m_glyph(Segchar::FromOverlay()),
      m_initial(pattern)
{
    m_glyph.SetPattern(pattern);
    QWidget* window = Window();
    window->setWindowTitle(plat::ToQt(Text("GI_AppInd_CharacterEditorCaption", 0, "")));
    auto* row = new QHBoxLayout(window);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* drawing = new QWidget(window);
    auto* dl = new QVBoxLayout(drawing);
    dl->setContentsMargins(5, 5, 5, 5);
    m_canvas = new GlyphCanvas(this, drawing);
    dl->addWidget(m_canvas);
    row->addWidget(drawing);
    auto* right = new QWidget(window);
    auto* rl = new QVBoxLayout(right);
    rl->setContentsMargins(5, 5, 5, 5);
    rl->setSpacing(4);
    rl->addStretch(1);
    m_ok = new QPushButton(plat::ToQt(Text("GI_AppInd_Button_OkCancel", 0, "OK")), right);
    m_cancel = new QPushButton(plat::ToQt(Text("GI_AppInd_Button_OkCancel", 1, "Cancel")), right);
    m_ok->setFixedWidth(kButtonWidth);
    m_cancel->setFixedWidth(kButtonWidth);
    m_ok->setDefault(true);
    rl->addWidget(m_ok);
    rl->addWidget(m_cancel);
    row->addWidget(right);
    QObject::connect(m_ok, &QPushButton::clicked, this, [this] { Commit(); });
    QObject::connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });
    window->adjustSize();
    window->setFixedSize(window->sizeHint());
    PlaceNextToCell();
    ShowForm();
    m_canvas->setFocus();
}

double cuiSegEdit::Scale() const
{
    // An empty or flat glyph has no scale: nothing is drawn and no click hits.
    if (m_glyph.Width() <= 0 || m_glyph.Height() <= 0)
        return 0;
    const double kx = static_cast<double>(kDrawSize) / m_glyph.Width();
    const double ky = static_cast<double>(kDrawSize) / m_glyph.Height();
    return kx < ky ? kx : ky;
}

uint16_t cuiSegEdit::Pattern() const
{
    const int n = m_glyph.SegmentCount();
    // Bits the glyph has no segment for stay as they came.
    const uint32_t own = n >= 16 ? 0xFFFFu : ((1u << n) - 1u);
    return static_cast<uint16_t>((m_initial & ~own) | m_glyph.Pattern());
}

bool cuiSegEdit::Inside(const dataTriangle& t, double px, double py)
{
    const double ax = t.p[0].x, ay = t.p[0].y;
    const double bx = t.p[1].x, by = t.p[1].y;
    const double cx = t.p[2].x, cy = t.p[2].y;
    return Area(ax, ay, bx, by, cx, cy) + 0.01 >= Area(ax, ay, bx, by, px, py) +
                                                      Area(ax, ay, px, py, cx, cy) +
                                                      Area(px, py, bx, by, cx, cy);
}

int cuiSegEdit::SegmentAt(double x, double y) const
{
    const double k = Scale();
    if (k <= 0)
        return -1;
    // The click's point in glyph units, unrounded, so a click in a gap stays in the gap.
    const double gx = (x - kMargin) / k + m_glyph.MinX();
    const double gy = (y - kMargin) / k + m_glyph.MinY();
    const auto& segments = m_glyph.Segments();
    for (size_t i = 0; i < segments.size(); ++i) {
        if (!segments[i].editable)
            continue;
        for (const dataTriangle& t : segments[i].triangles) {
            if (Inside(t, gx, gy))
                return static_cast<int>(i);
        }
    }
    return -1;
}

void cuiSegEdit::ClickAt(int x, int y)
{
    if (Closing())
        return;
    const int i = SegmentAt(x + 0.5, y + 0.5);
    if (i < 0)
        return;
    Segment& s = m_glyph.SegmentAt(i);
    s.lit = !s.lit;
    m_canvas->update();
}

void cuiSegEdit::Paint(QWidget* target)
{
    QPainter p(target);
    p.fillRect(target->rect(), target->palette().color(QPalette::Window));
    const double k = Scale();
    if (k <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const Segment& s : m_glyph.Segments()) {
        if (!s.editable)
            continue;
        const QColor c = s.lit ? QColor(Qt::black) : QColor(Qt::white);
        p.setBrush(c);
        p.setPen(c);
        for (const dataTriangle& t : s.triangles) {
            QPolygon poly;
            for (const auto& pt : t.p)
                poly << QPoint(static_cast<int>((pt.x - m_glyph.MinX()) * k) + kMargin,
                               static_cast<int>((pt.y - m_glyph.MinY()) * k) + kMargin);
            p.drawPolygon(poly);
        }
    }
}

void cuiSegEdit::DoCommit()
{
    AnswerChoice(txt::Format("%d", static_cast<int>(Pattern())));
    // Every segment text showing this character draws it anew.
    if (g_EvMan)
        g_EvMan->Post(ev::kRedrawAll);
}

bool cuiSegEdit::OnEnter()
{
    Commit();
    return true;
}
