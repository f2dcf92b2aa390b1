#include "cells/ICellPopups.h"

ICellPopups* g_CellPopups = nullptr;
