#include "app/AboutText.h"

#include "AppVersion.h"
#include "app/UiText.h"

namespace wx {

std::string aboutText(Language language) { return uiText(language, TextId::AboutBody, NUBIRO_VERSION_TEXT); }

}  // namespace wx
