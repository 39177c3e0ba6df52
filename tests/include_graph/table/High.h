// The table may use the rules below it.
#pragma once
#include <QWidget>
#include "core/Low.h"
