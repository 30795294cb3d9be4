#pragma once

// Language-table slots of the command line and of opening dropped files.
constexpr int TextUsage = 134;
constexpr int TextArgumentPaths = 135;
constexpr int TextOptionLanguage = 136;
constexpr int TextOptionHelp = 137;
constexpr int TextOptionVersion = 138;
constexpr int TextUnknownOption = 139;
constexpr int TextUnknownLanguage = 140;
constexpr int TextOpenWhat = 141;
