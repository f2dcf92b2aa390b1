#include "shell/ImageLists.h"

#include <QFile>

namespace {

struct IconName {
    const char* form;
    const char* theme;  // freedesktop name, or null
};

// Tree list, in index order.
const IconName kTree[] = {
    {"imgIcon_Tree_Rig", nullptr},      {"imgIcon_Tree_Folder01", "folder"},
    {"imgIcon_Tree_Note01", nullptr},   {"imgIcon_Tree_Note02", nullptr},
    {"imgIcon_Tree_Bank0", nullptr},    {"imgIcon_Tree_Bank1", nullptr},
    {"imgIcon_Tree_Bank2", nullptr},    {"imgIcon_Tree_Bank3", nullptr},
    {"imgIcon_Tree_WarnW_RB", nullptr}, {"imgIcon_Tree_WarnE_RB", nullptr},
    {"imgIcon_ADJTree_Rig", nullptr},
};

// Tool bar list, in index order.
const IconName kBar[] = {
    {"imgIcon_Bar_File_New", "document-new"},
    {"imgIcon_Bar_File_Open", "document-open"},
    {"imgIcon_Bar_File_Save", "document-save"},
    {"imgIcon_Bar_Com1", nullptr},
    {"imgIcon_Bar_Com2", nullptr},
    {"imgIcon_Bar_Com3", nullptr},
    {"imgIcon_Bar_Com4", nullptr},
    {"imgIcon_Bar_Clone_Read", nullptr},
    {"imgIcon_Bar_Clone_Write", nullptr},
    {"imgIcon_Bar_Clone_Info", nullptr},
    {"imgIcon_Bar_Pcg_Pen", nullptr},
    {"imgIcon_Bar_Pcg_Fill", nullptr},
    {"imgIcon_Bar_Pcg_Slider", nullptr},
    {"imgIcon_Bar_Page_Top", "go-first"},
    {"imgIcon_Bar_Page_Previous", "go-previous"},
    {"imgIcon_Bar_Page_Next", "go-next"},
    {"imgIcon_Bar_Page_Last", "go-last"},
    {"imgIcon_Bar_Page_Zoom", "zoom-in"},
    {"imgIcon_ADJTree_Rig", nullptr},
    {"imgIcon_Bar_IO_Check", nullptr},
    {"imgIcon_Bar_Flash_Write", nullptr},
};

QIcon Make(const QString& iconDir, const IconName& n)
{
    QIcon own(iconDir + QLatin1Char('/') + QLatin1String(n.form) + QStringLiteral(".svg"));
    if (n.theme)
        return QIcon::fromTheme(QLatin1String(n.theme), own);
    return own;
}

template <size_t N>
QList<QIcon> Build(const QString& iconDir, const IconName (&names)[N])
{
    QList<QIcon> out;
    for (const IconName& n : names)
        out.push_back(Make(iconDir, n));
    return out;
}

}  // namespace

QList<QIcon> BuildTreeImageList(const QString& iconDir)
{
    return Build(iconDir, kTree);
}
QList<QIcon> BuildToolBarImageList(const QString& iconDir)
{
    return Build(iconDir, kBar);
}

QIcon FormIcon(const QString& iconDir, const char* name)
{
    for (const IconName& n : kBar)
        if (qstrcmp(n.form, name) == 0)
            return Make(iconDir, n);
    for (const IconName& n : kTree)
        if (qstrcmp(n.form, name) == 0)
            return Make(iconDir, n);
    return QIcon(iconDir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".svg"));
}
