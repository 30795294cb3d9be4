#pragma once

#include "core/LanguageTexts.h"

#include <QString>

// Qt's own words (the standard buttons Yes, No, OK, Cancel and the file, colour and print dialogs)
// in the language of the program's texts, from the catalogues the system's Qt ships.
class QtLanguage {
public:
    // Replaces the Qt catalogue in use by the one for `language`; English needs none. False when
    // the catalogue is missing, in which case Qt speaks English.
    static bool Apply(TextArrayId language);
    // The catalogue's file name without extension, e.g. "qtbase_de".
    static QString CatalogueName(TextArrayId language);
    // A standard button's caption in the current catalogue, e.g. "Cancel" or "OK".
    static QString ButtonText(const char* english);
};
