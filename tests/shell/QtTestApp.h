#pragma once
#include <QApplication>

// The one Qt application object of the shell tests (offscreen).
QApplication& QtTestApp();
