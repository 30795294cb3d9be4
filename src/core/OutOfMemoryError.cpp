#include "core/OutOfMemoryError.h"

#include "core/LanguageTexts.h"

OutOfMemoryError::OutOfMemoryError() : AppError(CurrentTexts()[98]) {}
