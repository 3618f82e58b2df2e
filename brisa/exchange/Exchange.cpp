#include "Exchange.h"

namespace brisa::exchange {

void Exchange::begin(Kind kind) {
    if (kind == Kind::None) return end();
    const bool was = running();
    kind_ = kind;
    if (!was) emit runningChanged(true);
}

void Exchange::end() {
    if (!running()) return;
    kind_ = Kind::None;
    emit runningChanged(false);
}

}  // namespace brisa::exchange
