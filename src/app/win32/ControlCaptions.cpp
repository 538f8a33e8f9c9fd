#include "app/win32/ControlCaptions.h"

#include "platform/win32/WideText.h"

namespace wx {

void setCaptions(HWND dialog, Language language, std::span<const ControlCaption> captions) {
    for (const ControlCaption& caption : captions) {
        SetDlgItemTextW(dialog, caption.id, toWide(uiText(language, caption.text)).c_str());
    }
}

}  // namespace wx
