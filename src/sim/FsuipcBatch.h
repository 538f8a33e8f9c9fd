#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace wx {

// The layout of a request batch in the area FSUIPC's IPC message names: one
// request after another, each a kind word, the offset and the size, then
// (for a read) the word the client uses to find its destination again, then
// the request's data. A word that is neither kind ends the batch.
inline constexpr uint32_t kBatchReadKind = 1;
inline constexpr uint32_t kBatchWriteKind = 2;
inline constexpr size_t kBatchReadHeader = 16;
inline constexpr size_t kBatchWriteHeader = 12;

// One request of a batch as the area holds it.
struct BatchRequest {
    bool read = false;
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t destinationIndex = 0;  // a read's fourth word
    size_t dataAt = 0;              // where its data starts in the area
};

// Calls `visit` for each request of the batch in `area`, in order, until
// the end marker or a request that does not fit in the area: the area may
// be shared with another process, so nothing outside it is ever read.
void forEachBatchRequest(const uint8_t* area, size_t areaSize, const std::function<void(const BatchRequest&)>& visit);

}  // namespace wx
