#include "shell/cuiChannelTable.h"

#include <QFile>
#include <QFileDialog>
#include <QSaveFile>

#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "rules/indChannelCsv.h"

std::function<std::string(QWidget*, bool)> cuiChannelTable::dialog = [](QWidget* parent,
                                                                        bool save) {
    const QString filter = plat::ToQt(g_GTex->GetLine("GI_Csv_Dialog", 0));
    QFileDialog d(parent, plat::ToQt(g_GTex->GetLine("GI_Csv_Dialog", save ? 1 : 2)), QString(),
                  filter);
    d.setDefaultSuffix(QStringLiteral("csv"));
    d.setOption(QFileDialog::DontUseNativeDialog, qEnvironmentVariableIsSet("QV_QT_FILE_DIALOG"));
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    std::string out;
    if (d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty())
        plat::FromQt(d.selectedFiles().first(), out);
    return out;
};

int cuiChannelTable::Export(indRulesHost& host, QWidget* parent)
{
    const std::string path = dialog ? dialog(parent, true) : std::string();
    if (path.empty())
        return -1;
    indChannelCsv csv(host, *g_GTex);
    csv.SetConverters(&plat::ToUtf8, &plat::FromUtf8);
    const std::string table = csv.Export();
    QSaveFile out(plat::ToQt(path));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(table.data(), static_cast<qint64>(table.size())) !=
            static_cast<qint64>(table.size()) ||
        !out.commit()) {
        OverlayTextBox(txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 2).c_str(), path.c_str()),
                       plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return 1;
    }
    return 0;
}

int cuiChannelTable::Import(indRulesHost& host, QWidget* parent)
{
    const std::string path = dialog ? dialog(parent, false) : std::string();
    if (path.empty())
        return -1;
    QFile in(plat::ToQt(path));
    if (!in.open(QIODevice::ReadOnly)) {
        OverlayTextBox(txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 3).c_str(), path.c_str()),
                       plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return 1;
    }
    const QByteArray bytes = in.readAll();
    indChannelCsv csv(host, *g_GTex);
    csv.SetConverters(&plat::ToUtf8, &plat::FromUtf8);
    // The import replaces the working image at once when every value was taken, so it is
    // one step for an undo that keeps images.
    const auto problems =
        csv.Import(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!problems.empty()) {
        OverlayTextBox(csv.Describe(problems), plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return 1;
    }
    OverlayTextBox(txt::Format(g_GTex->GetLine("GI_Csv_Dialog", 3).c_str(), csv.Changed()),
                   plat::BoxIcon::Information, plat::BoxButtons::Ok);
    return 0;
}
