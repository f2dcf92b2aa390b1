#pragma once
#include <QColor>
#include <QPalette>

#include "cells/cmcColors.h"

// Overlay colours on screen: plain colours as they are, system colours from the running
// style's palette, so that dark themes work.
QColor ToQColor(cmcColor color, const QPalette& palette);
// The overlay colour value of a toolkit colour (a plain colour).
cmcColor FromQColor(const QColor& color);
