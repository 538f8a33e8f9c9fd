#include "sources/NoaaSource.h"

#include <utility>

namespace wx {

NoaaSource::NoaaSource(LogFn log, std::shared_ptr<HttpTransport> transport, std::shared_ptr<HttpCancel> cancel,
                       UtcClock clock)
    : log_(log), openMeteo_(std::move(log), std::move(transport), std::move(cancel), std::move(clock)) {}

}  // namespace wx
