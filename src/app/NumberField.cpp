#include "app/NumberField.h"

#include <limits>

namespace wx {

int32_t readNumberField(std::string_view text) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    size_t at = text.find_first_not_of(" \t");
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > kMax) {
            return static_cast<int32_t>(kMax);
        }
    }
    return static_cast<int32_t>(value);
}

}  // namespace wx
