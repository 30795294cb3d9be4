#pragma once

// Why a file could not be read or written: the slots of the language table, one block; a
// renumbering moves `TextFileReasonFirst` alone.
inline constexpr int TextFileReasonFirst = 213;
inline constexpr int TextFileMissing = TextFileReasonFirst;
inline constexpr int TextFileIsFolder = TextFileReasonFirst + 1;
inline constexpr int TextFileNotRegular = TextFileReasonFirst + 2;
inline constexpr int TextFileAccessDenied = TextFileReasonFirst + 3;
inline constexpr int TextFileDiskFull = TextFileReasonFirst + 4;
inline constexpr int TextFileTooLarge = TextFileReasonFirst + 5; // %s: the size
inline constexpr int TextFileFolderMissing = TextFileReasonFirst + 6;
inline constexpr int TextFileReasonCount = 7;
