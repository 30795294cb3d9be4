#pragma once

// Reads a number written with a decimal comma: blanks, an optional sign, digits with an optional
// comma part, an optional exponent, blanks. A decimal point, "inf", "nan", hex and thousands
// separators are not numbers. Works on raw bytes so the log reader needs no string per field.
bool ParseDecimalComma(const char* begin, const char* end, double& result);
