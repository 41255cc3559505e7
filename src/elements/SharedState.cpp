// The single instance of the shared drawing state.
#include "elements/SharedState.h"

namespace torvi {

TSharedState& Shared() {
    static TSharedState state;
    return state;
}

} // namespace torvi
