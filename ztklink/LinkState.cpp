#include "LinkState.h"

namespace ztklink {

std::shared_ptr<LinkState> LinkState::forThisThread() {
    thread_local std::weak_ptr<LinkState> current;
    auto state = current.lock();
    if (!state) {
        state = std::make_shared<LinkState>();
        current = state;
    }
    return state;
}

}  // namespace ztklink
