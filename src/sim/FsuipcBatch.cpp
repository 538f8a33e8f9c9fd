#include "sim/FsuipcBatch.h"

#include "sim/LittleEndian.h"

namespace wx {

void forEachBatchRequest(const uint8_t* area, size_t areaSize, const std::function<void(const BatchRequest&)>& visit) {
    size_t at = 0;
    while (at + 4 <= areaSize) {
        const uint32_t kind = loadLe32(area + at);
        const bool read = kind == kBatchReadKind;
        const size_t header = read ? kBatchReadHeader : kind == kBatchWriteKind ? kBatchWriteHeader : 0;
        if (header == 0 || at + header > areaSize) {
            return;
        }
        const uint32_t size = loadLe32(area + at + 8);
        if (size > areaSize - at - header) {
            return;
        }
        visit({read, loadLe32(area + at + 4), size, read ? loadLe32(area + at + 12) : 0, at + header});
        at += header + size;
    }
}

}  // namespace wx
