#include "shell/cuiFleetDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/indEnviron.h"
#include "model/indDocument.h"
#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "shell/cuiCloneProgress.h"
#include "shell/cuiCloneUi.h"

namespace {

QString Text(int line)
{
    return plat::ToQt(g_GTex->GetLine("GI_Fleet_Dialog", line));
}

}  // namespace

cuiFleetDialog::cuiFleetDialog(indDocument& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setWindowTitle(Text(0));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(1), this));
    m_ports = new QPlainTextEdit(this);
    m_ports->setObjectName(QStringLiteral("FleetPorts"));
    m_ports->setTabChangesFocus(true);
    m_ports->setMaximumHeight(fontMetrics().lineSpacing() * 5 + 12);
    if (g_Environ && g_Environ->comPort > 0)
        m_ports->setPlainText(QString::number(g_Environ->comPort));
    layout->addWidget(m_ports);
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("FleetResults"));
    m_table->setHorizontalHeaderLabels({Text(2), Text(3), Text(4), Text(5)});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_table, 1);
    auto* buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(Text(6), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(m_write, &QPushButton::clicked, this, [this] { StartWrite(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &cuiFleetDialog::reject);
    layout->addWidget(buttons);
    resize(560, 360);

    // The dialog stands in for the main window: it is disabled while a radio is talked to.
    m_ui = std::make_unique<cuiCloneUi>(this);
    m_fleet = std::make_unique<indFleetWrite>(m_ui.get());
    // The document's own checks: the radio's identity and the read-back's.
    m_fleet->SetChecks(
        [this](dst_CDrv_Result* r, indFleetWrite::Radio& radio) {
            m_doc.IdentificationCheck(*r);
            if (r->result != 0)
                return;
            radio.model = m_doc.RadioModelCode();
            radio.readEnd = m_doc.ReadEnd();
            radio.wantsPassword = m_doc.PasswordWanted(true);
        },
        [this](dst_CDrv_Result* r) { m_doc.ReadCheck(*r); });
    // Each radio gets the image as a clone write sends it to that radio: repaired and
    // packed, the document untouched.
    m_fleet->SetPrepare([this](cmcEeprom& image, std::vector<int32_t>& ranges) {
        m_doc.PrepareCloneWrite(image, ranges);
    });
    m_fleet->SetImageSize(indDocument::kImageSize);
}

cuiFleetDialog::~cuiFleetDialog() = default;

std::vector<indFleetWrite::Port> cuiFleetDialog::ParsePorts(const QString& text, bool* ok)
{
    std::vector<indFleetWrite::Port> ports;
    *ok = true;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        indFleetWrite::Port port;
        if (!plat::FromQt(line, port.name)) {
            *ok = false;
            continue;
        }
        bool number = false;
        const int n = line.toInt(&number);
        if (number && n >= 1 && n <= 256)
            port.number = n;
        else if (line.contains(QLatin1Char('/')))
            port.device = port.name;
        else
            *ok = false;
        ports.push_back(port);
    }
    return ports;
}

bool cuiFleetDialog::StartWrite()
{
    if (m_fleet->Running())
        return false;
    bool ok = false;
    const std::vector<indFleetWrite::Port> ports = ParsePorts(m_ports->toPlainText(), &ok);
    if (!ok || ports.empty()) {
        OverlayBox("GI_Mess_Fleet_Ports", plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return false;
    }
    m_fleet->SetHighSpeed(!g_Environ || g_Environ->comSpeedHigh != 0);
    m_table->setRowCount(static_cast<int>(ports.size()));
    for (int i = 0; i < static_cast<int>(ports.size()); ++i) {
        m_table->setItem(i, 0, new QTableWidgetItem(plat::ToQt(ports[i].name)));
        for (int c = 1; c < 4; ++c)
            m_table->setItem(i, c, new QTableWidgetItem(c == 2 ? Text(7) : QString()));
    }
    m_write->setEnabled(false);
    return m_fleet->Start(ports, [this](int index) { Show(index); });
}

void cuiFleetDialog::Show(int index)
{
    if (index < 0) {
        m_write->setEnabled(true);
        return;
    }
    const indFleetWrite::Outcome& o = m_fleet->Outcomes()[index];
    m_table->item(index, 1)->setText(o.model ? QString::number(o.model, 16).toUpper() : Text(8));
    m_table->item(index, 2)->setText(
        o.result == 0
            ? Text(9)
            : plat::ToQt(txt::Format(g_GTex->GetLine("GI_Fleet_Dialog", 10).c_str(), o.result)));
    m_table->item(index, 3)->setText(
        o.verify == 0   ? Text(11)
        : o.verify == 1 ? plat::ToQt(txt::Format(g_GTex->GetLine("GI_Fleet_Dialog", 13).c_str(),
                                                 static_cast<unsigned>(o.firstDifference)))
                        : Text(12));
}

void cuiFleetDialog::reject()
{
    // A radio is never left half-written by closing the dialog.
    if (m_fleet->Running())
        return;
    QDialog::reject();
}
