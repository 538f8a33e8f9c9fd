#pragma once

#include <windows.h>

#include <span>

#include "app/UiLanguage.h"
#include "app/UiText.h"

namespace wx {

// A control of the dialog and the text it shows, in the window's language.
// Each part of the window keeps a table of these for its controls.
struct ControlCaption {
    int id;
    TextId text;
};

// Gives every control of the table its text in that language.
void setCaptions(HWND dialog, Language language, std::span<const ControlCaption> captions);

}  // namespace wx
