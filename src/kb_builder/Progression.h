#pragma once
// How long work tells where it stands: a stage ("reading", "pictures", "pages"), the units done
// and the units in all. Called on the working thread, often; the receiver decides what to show.
// An empty function means nobody listens.

#include <cstddef>
#include <functional>
#include <string>

namespace kestrane::kb {

using Progression = std::function<void(const std::string& etape, size_t fait, size_t total)>;

}  // namespace kestrane::kb
