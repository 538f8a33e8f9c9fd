#include "sources/NoaaSource.h"

#include <utility>

namespace wx {

NoaaSource::NoaaSource(LogFn log, std::shared_ptr<HttpTransport> transport, SourceContext context)
    : log_(log), openMeteo_(std::move(log), std::move(transport), std::move(context)) {}

}  // namespace wx
