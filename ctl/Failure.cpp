#include "Failure.h"

int Fail(std::ostream& err, const TFailure& failure) {
    err << "kr7ctl: " << failure.message << "\n";
    return failure.status;
}
