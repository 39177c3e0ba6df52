// A rule that reaches up into the table: the include graph check must refuse it.
#pragma once
#include "table/High.h"
