#include "float_checks.h"

namespace ostrane {

// Out of line so the checks inlined into the leg loop stay small.
void ThrowOverflow() {
    throw FloatingPointError(kOverflowMessage);
}
void ThrowInvalidOperation() {
    throw FloatingPointError(kInvalidOperationMessage);
}
void ThrowDivisionByZero() {
    throw FloatingPointError(kDivisionByZeroMessage);
}

}  // namespace ostrane
