#include "shell/cuiOptDialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"

namespace {

QString Line(const std::string& key, int n)
{
    return plat::ToQt(g_GTex->GetLine(key, n));
}

}  // namespace

cuiOptDialog::cuiOptDialog(QWidget* owner, const Shape& shape) : QDialog(owner), m_shape(shape)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(Line(shape.prefix + "Caption", 0));
    setModal(true);
    m_notice = new QLabel(plat::ToQt(g_GTex->GetLines(shape.prefix + "Notice")), this);
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setObjectName(QStringLiteral("Notice"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit"));
    m_edit->setMaxLength(shape.maxBytes);
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    if (shape.masked)
        m_edit->setEchoMode(QLineEdit::Password);
    m_ok = new QPushButton(Line(shape.prefix + "Buttons", 0), this);
    m_ok->setObjectName(QStringLiteral("Ok"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Line(shape.prefix + "Buttons", 1), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    QObject::connect(m_ok, &QPushButton::clicked, this, [this] { OnOk(); });
    QObject::connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    Arrange();
}

void cuiOptDialog::SetExtra(QWidget* extra)
{
    m_extra = extra;
    if (extra) {
        extra->setParent(this);
        extra->show();
    }
    Arrange();
}

void cuiOptDialog::Arrange()
{
    const QFontMetrics fm(font());
    const int w = fm.height();  // the height of "W"
    m_notice->adjustSize();
    m_notice->move(w, w);
    const int editLeft = m_notice->x() + fm.horizontalAdvance(QStringLiteral("WW"));
    const int editTop = m_notice->geometry().bottom() + 1 + w / 2;
    const QString heightSample = m_shape.heightSample.empty()
                                     ? QStringLiteral("0123456789W\u3042\u3044")
                                     : plat::ToQt(m_shape.heightSample);
    const int editHeight =
        std::max(fm.boundingRect(heightSample).height() + 8, m_edit->sizeHint().height());
    m_edit->setGeometry(editLeft, editTop,
                        fm.horizontalAdvance(plat::ToQt(m_shape.widthSample)) + 8, editHeight);
    int below = editTop + editHeight;
    if (m_extra) {
        const QSize s = m_extra->sizeHint();
        m_extra->setGeometry(w, below + w / 2, s.width(), s.height());
        below = m_extra->geometry().bottom() + 1;
    }
    const int buttonWidth =
        std::max(fm.horizontalAdvance(Line(m_shape.prefix + "SizeOfButtons", 0)),
                 m_cancel->sizeHint().width());
    const int buttonHeight = 2 * fm.boundingRect(m_ok->text()).height();
    int right = m_notice->geometry().right() + 1;
    if (m_shape.widenForEdit)
        right = std::max(right, m_edit->geometry().right() + 1);
    if (m_extra)
        right = std::max(right, m_extra->geometry().right() + 1);
    right = std::max(right, w + 2 * buttonWidth + buttonHeight / 2);
    const int top = std::max(editTop + 4 * editHeight, below + buttonHeight / 2);
    m_cancel->setGeometry(right - buttonWidth, top, buttonWidth, buttonHeight);
    m_ok->setGeometry(right - 2 * buttonWidth - buttonHeight / 2, top, buttonWidth, buttonHeight);
    setFixedSize(right + w, top + buttonHeight + buttonHeight / 2);
}

bool cuiOptDialog::Text(std::string& out) const
{
    out.clear();
    return plat::FromQt(m_edit->text(), out) && static_cast<int>(out.size()) <= m_shape.maxBytes;
}

void cuiOptDialog::SetText(const std::string& text)
{
    m_edit->setText(plat::ToQt(text));
}

void cuiOptDialog::OnOk()
{
    if (!check || check(*this))
        accept();
}
