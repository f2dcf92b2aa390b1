#pragma once
#include <QIcon>
#include <QList>
#include <QString>

// The two icon lists of the main form. The tree, tool bar and sheets refer to icons by
// their position in these lists.
QList<QIcon> BuildTreeImageList(const QString& iconDir);
QList<QIcon> BuildToolBarImageList(const QString& iconDir);
// One icon by its form name ("imgIcon_Bar_File_Open"): the desktop theme's icon where one
// fits, else our own SVG from iconDir.
QIcon FormIcon(const QString& iconDir, const char* name);
