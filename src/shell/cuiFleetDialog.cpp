#include "shell/cuiFleetDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/indEnviron.h"
#include "link/indCloneMan.h"
#include "model/CheckImageIdentity.h"
#include "model/indCloneInfo.h"
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
    m_fleet->SetChecks(&Accept, &CheckRead);
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

void cuiFleetDialog::Accept(dst_CDrv_Result* r, indFleetWrite::Radio& radio)
{
    indCloneInfo info;
    if ((r->modelCode != indDocument::kModelCode && r->modelCode != 0x3179) ||
        r->info.Size() != indCloneInfo::kSize || r->info.Data()[0] != indCloneInfo::kSize ||
        !info.Parse(r->info.Data(), r->info.Size())) {
        r->result = indCloneMan::ResWrongRadio;
        return;
    }
    if (info.format > 1) {
        r->result = indCloneMan::ResNewerRadio;
        return;
    }
    radio.model = r->modelCode;
    int32_t end = 0;
    for (char c : info.readEnd) {
        const int d = txt::HexDigit(c);
        end = end * 16 + (d < 0 ? 0 : d);
    }
    end = (end & ~0xF) + 15;
    radio.readEnd = end > 0x077F ? 0x077F : end;
    radio.wantsPassword = (info.password & 0x08) != 0;
}

void cuiFleetDialog::CheckRead(dst_CDrv_Result* r)
{
    if (CheckImageIdentity(r->image, true) != indIdentity::Accepted)
        r->result = indCloneMan::ResNotThisImage;
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
    // The image as a clone write sends it: repaired and packed, the document untouched.
    cmcEeprom image;
    image.Assign(m_doc.Work());
    m_doc.PrepareImage(image, 2);
    m_fleet->SetHighSpeed(!g_Environ || g_Environ->comSpeedHigh != 0);
    m_table->setRowCount(static_cast<int>(ports.size()));
    for (int i = 0; i < static_cast<int>(ports.size()); ++i) {
        m_table->setItem(i, 0, new QTableWidgetItem(plat::ToQt(ports[i].name)));
        for (int c = 1; c < 4; ++c)
            m_table->setItem(i, c, new QTableWidgetItem(c == 2 ? Text(7) : QString()));
    }
    const std::vector<int32_t> ranges = indDocument::CloneRanges(0);
    m_write->setEnabled(false);
    return m_fleet->Start(ports, image, ranges.data(), [this](int index) { Show(index); });
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
