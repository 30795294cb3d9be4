#include "core/LanguageTexts.h"

// Placeholder until the table is filled in.
const texts::Table texts::German = {};
