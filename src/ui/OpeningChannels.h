#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

// The channels ticked when a file is opened: from the settings, the command line or the yield
// window. Channels are named by their short names (T1 ... T6, TD, Flow, Power, R1 ... R3, RError,
// Volume, Energy) in any case, separated by commas or blanks.
namespace OpeningChannels {

// The channels `list` names, in channel order and each once; names it does not know go to
// `unknown`.
std::vector<int> Parse(const QString& list, QStringList* unknown = nullptr);
// The short names of `channels`, comma-separated, as the settings store them.
QString Format(const std::vector<int>& channels);

// What opening a day or a month from the yield window shows: the collector and store
// temperatures, flow, power and the pump.
std::vector<int> YieldChannels();

// Ticks `channels` in `form` (an analysis window; nothing without data) as the user would; a box
// already ticked or greyed (Volume and Energy outside the month span) stays as it is.
void Tick(QWidget& form, bool hasData, const std::vector<int>& channels);

} // namespace OpeningChannels
