#pragma once

#include <string>

namespace wx {

// The About box's text (UTF-8, lines separated by CR LF): the product
// name, a description, the data road, the authors and the version.
std::string aboutText();

}  // namespace wx
