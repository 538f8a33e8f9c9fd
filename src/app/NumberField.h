#pragma once

#include <cstdint>
#include <string_view>

namespace wx {

// The value of a digits-only field: leading spaces are skipped and the
// digits that follow are read, anything after them is ignored. A field with
// no digits there (empty, or pasted text) reads 0; a number beyond the
// settings' 32-bit range reads 2147483647 instead of wrapping to a negative
// count or radius.
int32_t readNumberField(std::string_view text);

}  // namespace wx
