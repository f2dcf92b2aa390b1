#include "shell/indCloneWrite.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <ctime>

#include "cells/cmcCellCapsule.h"
#include "common/indEnviron.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "overlay/OverlayBox.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "rules/indCheckList.h"
#include "sheets/cuiSheet.h"
#include "shell/TForm1.h"
#include "shell/cuiDiffTable.h"
#include "shell/cuiSheetPage.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"

namespace {

// The most differences a verification message names; the rest are counted.
constexpr size_t kMostListed = 12;

bool Setting(int indEnviron::*member)
{
    return !g_Environ || g_Environ->*member != 0;
}

QStringList Lines(const std::string& key)
{
    QStringList out;
    for (int n = 0; n < 5; ++n)
        out << plat::ToQt(g_GTex->GetLine(key, n));
    return out;
}

// Whether the range list covers the address.
bool Written(const std::vector<int32_t>& ranges, int32_t a)
{
    for (size_t k = 0; k + 1 < ranges.size() && ranges[k] <= ranges[k + 1]; k += 2)
        if (a >= ranges[k] && a <= ranges[k + 1])
            return true;
    return false;
}

}  // namespace

// ---- before the port opens ----

bool indCloneWrite::Checks()
{
    indDocument& doc = m_main.Doc();
    const auto checks = indCheckList::Checks(*g_GTex, indDocument::ModelTypeName(doc.ModelType()));
    const auto found = indCheckList::Run(m_main.ActiveCell(), *g_GTex, checks);
    if (found.empty())
        return true;
    const bool errors = found.front().error;
    std::vector<indCompare::Difference> rows;
    for (const indCheckList::Finding& f : found) {
        if (f.error != errors)
            continue;
        indCompare::Difference d = f.where;
        // The sheet as the tree names it ("Bank 2"), else its title.
        if (iuiTree* tree = m_main.Tree())
            if (QTreeWidgetItem* node = tree->FindBySheet(d.entry))
                plat::FromQt(node->text(0), d.sheet);
        d.valueB = g_GTex->GetLine(
            errors ? "GI_AppInd_Write_CheckError" : "GI_AppInd_Write_CheckWarning", 0);
        rows.push_back(std::move(d));
    }
    const int r =
        errors ? ShowList(g_GTex->GetLines("GI_Mess_DataError"), "GI_AppInd_Write_CheckColumns",
                          rows, std::string(), "GI_AppInd_Write_Close", "WriteCheckErrors")
               : ShowList(g_GTex->GetLines("GI_Mess_Write_CheckWarnings"),
                          "GI_AppInd_Write_CheckColumns", rows, "GI_AppInd_Write_Anyway",
                          "GI_AppInd_Write_Cancel", "WriteCheckWarnings");
    return !errors && r == kAccepted;
}

int indCloneWrite::ShowList(const std::string& text, const std::string& columnsKey,
                            std::vector<indCompare::Difference> rows, const std::string& goKey,
                            const std::string& stopKey, const char* name)
{
    QDialog dialog(m_main.Form());
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(plat::ToQt(g_GTex->GetLine("GI_AppInd_Write_Title", 0)));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(plat::ToQt(text), &dialog);
    label->setObjectName(QStringLiteral("Text"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    indCompare::Difference opened;
    if (!rows.empty()) {
        auto* table = new cuiDiffTable(&dialog, Lines(columnsKey));
        table->SetDifferences(std::move(rows));
        layout->addWidget(table);
        QObject::connect(table, &cuiDiffTable::differenceActivated,
                         [&dialog, &opened](const indCompare::Difference& d) {
                             opened = d;
                             dialog.done(kOpenCell);
                         });
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    if (!goKey.empty()) {
        QPushButton* go =
            buttons->addButton(plat::ToQt(g_GTex->GetLine(goKey, 0)), QDialogButtonBox::AcceptRole);
        go->setObjectName(QStringLiteral("Go"));
    }
    QPushButton* stop =
        buttons->addButton(plat::ToQt(g_GTex->GetLine(stopKey, 0)), QDialogButtonBox::RejectRole);
    stop->setObjectName(QStringLiteral("Stop"));
    stop->setDefault(goKey.empty());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(720, 360);
    const int result = m_main.execDialog(dialog);
    if (result == kOpenCell)
        OpenAt(opened);
    return result;
}

void indCloneWrite::OpenAt(const indCompare::Difference& where)
{
    iuiTree* tree = m_main.Tree();
    QTreeWidgetItem* node = nullptr;
    if (tree) {
        node = tree->FindBySheet(where.entry);
        if (!node) {
            std::string entry = where.entry.substr(0, where.entry.find(','));
            if (const size_t close = entry.find(']'); close != std::string::npos)
                entry = entry.substr(close + 1);
            node = tree->FindByEntry(entry);
        }
    }
    if (node)
        tree->Control()->setCurrentItem(node);  // the tree opens the sheet
    else if (!where.entry.empty())
        m_main.OpenSheet(where.entry);
    if (where.id != 0 && m_main.Sheet())
        if (cuiSheet* sheet = m_main.Sheet()->Sheet())
            sheet->MoveToIdentity(where.category, where.id, where.index);
}

// ---- the radio's contents, as the sheets show them ----

void indCloneWrite::Expected(const cmcEeprom& radio, cmcEeprom& expected) const
{
    expected.Assign(radio);
    for (size_t k = 0; k + 1 < m_ranges.size() && m_ranges[k] <= m_ranges[k + 1]; k += 2)
        for (int32_t a = m_ranges[k]; a <= m_ranges[k + 1]; ++a)
            expected.SetByte(a, m_image.GetByte(a));
}

std::vector<indCompare::Difference> indCloneWrite::Differences(const cmcEeprom& radio,
                                                               const cmcEeprom& ours) const
{
    const indDocument& doc = m_main.Doc();
    cmcEeprom a, b;
    doc.UnpackedView(radio, a);
    doc.UnpackedView(ours, b);
    return indCompare::Everything(m_main.ActiveCell(), *g_GTex, a, b,
                                  indDocument::ModelTypeName(doc.ModelType()));
}

// ---- the steps on the link ----

void indCloneWrite::Start(bool sendPassword)
{
    m_sendPassword = sendPassword;
    m_main.Doc().PrepareCloneWrite(m_image, m_ranges);
    if (Setting(&indEnviron::backupBeforeWrite) || Setting(&indEnviron::confirmBeforeWrite))
        ReadRadio(&indCloneWrite::OnBackupRead);
    else
        Write();
}

void indCloneWrite::ReadRadio(void (*done)(void*, dst_CDrv_Result*))
{
    indDocument& doc = m_main.Doc();
    doc.CloneMan().SetSendPassword(m_sendPassword && doc.PasswordWanted(false));
    if (!m_main.ReadRadioRanges(done, this)) {
        dst_CDrv_Result failed;
        failed.result = 1;
        done(this, &failed);
    }
}

void indCloneWrite::OnBackupRead(void* context, dst_CDrv_Result* result)
{
    static_cast<indCloneWrite*>(context)->BackupRead(result);
}

void indCloneWrite::BackupRead(dst_CDrv_Result* result)
{
    if (!result || result->result != 0) {
        OverlayBox("GI_Mess_Write_BackupReadFailed", plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return;
    }
    indDocument& doc = m_main.Doc();
    if (Setting(&indEnviron::backupBeforeWrite) &&
        doc.BackupCloneRead(result->image, std::time(nullptr)).empty()) {
        OverlayTextBox(
            OvlFormat(g_GTex->GetLines("GI_Mess_Write_BackupSaveFailed"), {doc.BackupFolder()}),
            plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return;
    }
    if (Setting(&indEnviron::confirmBeforeWrite)) {
        cmcEeprom expected;
        Expected(result->image, expected);
        std::vector<indCompare::Difference> changes = Differences(result->image, expected);
        const size_t n = changes.size();
        const std::string text =
            n == 0   ? g_GTex->GetLines("GI_Mess_Write_NoChanges")
            : n == 1 ? g_GTex->GetLines("GI_Mess_Write_OneChange")
                     : OvlFormat(g_GTex->GetLines("GI_Mess_Write_Changes"), {int(n)});
        if (ShowList(text, "GI_AppInd_Write_ChangeColumns", std::move(changes),
                     "GI_AppInd_Write_Go", "GI_AppInd_Write_Cancel", "WriteConfirm") != kAccepted)
            return;
    }
    // The radio is asked again before writing: the dealer may have taken long.
    m_main.PrepareLink();
    if (!doc.CloneMan().Connect(&indCloneWrite::OnWriteConnected, this))
        OverlayBox("GI_Mess_Write_BackupReadFailed", plat::BoxIcon::Error, plat::BoxButtons::Ok);
}

void indCloneWrite::OnWriteConnected(void* context, dst_CDrv_Result* result)
{
    if (result && result->result == 0)
        static_cast<indCloneWrite*>(context)->Write();
}

void indCloneWrite::Write()
{
    indCloneMan& man = m_main.Doc().CloneMan();
    m_main.PrepareLink();
    man.SetSendPassword(m_sendPassword);
    man.Write(m_image, m_ranges.data(), &indCloneWrite::OnWritten, this);
}

void indCloneWrite::OnWritten(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<indCloneWrite*>(context);
    if (!result || result->result != 0)
        return;
    self->m_main.CloseSheet();
    if (!Setting(&indEnviron::verifyAfterWrite)) {
        OverlayBox("GI_Mess_CloneWrite_Succeeded", plat::BoxIcon::Information,
                   plat::BoxButtons::Ok);
        return;
    }
    self->m_main.PrepareLink();
    if (!self->m_main.Doc().CloneMan().Connect(&indCloneWrite::OnVerifyConnected, self))
        OverlayBox("GI_Mess_Write_VerifyReadFailed", plat::BoxIcon::Warning, plat::BoxButtons::Ok);
}

void indCloneWrite::OnVerifyConnected(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<indCloneWrite*>(context);
    if (!result || result->result != 0) {
        OverlayBox("GI_Mess_Write_VerifyReadFailed", plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return;
    }
    self->ReadRadio(&indCloneWrite::OnVerifyRead);
}

void indCloneWrite::OnVerifyRead(void* context, dst_CDrv_Result* result)
{
    static_cast<indCloneWrite*>(context)->Verify(result);
}

void indCloneWrite::Verify(dst_CDrv_Result* result)
{
    if (!result || result->result != 0) {
        OverlayBox("GI_Mess_Write_VerifyReadFailed", plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return;
    }
    const cmcEeprom& back = result->image;
    std::vector<int32_t> differ;
    for (int32_t a = 0; a <= indDocument::kEepromLast; ++a)
        if (Written(m_ranges, a) && (!back.IsAddress(a) || back.GetByte(a) != m_image.GetByte(a)))
            differ.push_back(a);
    if (differ.empty()) {
        OverlayTextBox(g_GTex->GetLines("GI_Mess_CloneWrite_Succeeded") + "\n" +
                           g_GTex->GetLines("GI_Mess_Write_Verified"),
                       plat::BoxIcon::Information, plat::BoxButtons::Ok);
        return;
    }
    // Named by setting where a sheet shows it, by address where none does.
    cmcEeprom expected;
    Expected(back, expected);
    const std::vector<indCompare::Difference> settings = Differences(back, expected);
    std::vector<std::string> lines;
    for (const indCompare::Difference& d : settings)
        lines.push_back(OvlFormat(g_GTex->GetLine("GI_Mess_Write_VerifySetting", 0),
                                  {d.sheet, d.row, d.column, d.valueA, d.valueB}));
    if (settings.empty())
        for (int32_t a : differ)
            lines.push_back(OvlFormat(
                g_GTex->GetLine("GI_Mess_Write_VerifyByte", 0),
                {int(a), int(back.IsAddress(a) ? back.GetByte(a) : 0), int(m_image.GetByte(a))}));
    std::string text = g_GTex->GetLines("GI_Mess_Write_VerifyFailed");
    for (size_t i = 0; i < lines.size() && i < kMostListed; ++i)
        text += "\n" + lines[i];
    if (lines.size() > kMostListed)
        text += "\n" + OvlFormat(g_GTex->GetLine("GI_Mess_Write_VerifyMore", 0),
                                 {int(lines.size() - kMostListed)});
    text += "\n" + g_GTex->GetLines("GI_Mess_Write_VerifyAdvice");
    OverlayTextBox(text, plat::BoxIcon::Error, plat::BoxButtons::Ok);
}
