#pragma once
// The field told in one line for a screen reader: the day, the cells with
// plants and the animals standing on it. Both editions read out this text.

#include <string>

#include "sim/world.h"

namespace noboria {

std::string field_summary(const World& w);  // UTF-8

}  // namespace noboria
