#pragma once

// Slots of the language table for image types, the print preview and the data export. Named here
// so that a renumbering of the table is a change of this one header.
inline constexpr int TextBmpImage = 163;
inline constexpr int TextPngImage = 164;
inline constexpr int TextSvgDrawing = 165;
inline constexpr int TextPdfDocument = 166;
// "%s": the file name the user gave.
inline constexpr int TextUnknownImageType = 167;
inline constexpr int TextPrintPreview = 168;
inline constexpr int TextExportData = 169;
inline constexpr int TextExportRange = 170;
inline constexpr int TextExportInView = 171;
inline constexpr int TextExportWhole = 172;
inline constexpr int TextExportFormat = 173;
inline constexpr int TextExportLogFormat = 174;
inline constexpr int TextExportInternational = 175;
inline constexpr int TextCsvFiles = 176;
inline constexpr int TextExportNoData = 177;
inline constexpr int OutputTextsEnd = 178;
