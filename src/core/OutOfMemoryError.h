#pragma once

#include "core/AppError.h"

// Memory ran out (text 98). Code that turns other failures of a step into a message of its own
// lets this one through, so the user learns what really happened.
class OutOfMemoryError : public AppError {
public:
    OutOfMemoryError();
};
