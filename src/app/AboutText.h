#pragma once

#include <string>

#include "app/UiLanguage.h"

namespace wx {

// The About box's text (UTF-8, lines separated by CR LF): the product
// name, a description, the data road, the authors and the version.
std::string aboutText(Language language);

}  // namespace wx
