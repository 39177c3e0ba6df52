// Every picture built into the program, by resource type and name.
#pragma once

#include "tools/art/Resources.h"

namespace tarvo::art {

// The GIF animations need a scratch folder to be written through giflib.
bool AddBuiltinPictures(ResourceSet& set, const QString& scratchDir, QString* error);

} // namespace tarvo::art
