// A pure file with Qt in it, a header of a layer that is not pure, and one from above.
#include "core/Low.h"
#include <QString>
#include <vector>
#include "packages/Picture.h"
#include "table/High.h"
#include "Local.h"
