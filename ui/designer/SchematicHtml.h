// A network's schematic (rf::SchematicText) as rich text for a tooltip: the
// text in a fixed-pitch block, and each ground symbol drawn as a picture
// of one character's width, since many systems' fonts have no glyph for it.
#pragma once

#include <QString>

#include "rf/circuit/Network.h"

namespace vorda::designer {

QString SchematicHtml(const rf::Network& network);

}  // namespace vorda::designer
