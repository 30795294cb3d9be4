#pragma once

class QWidget;
class ReferencePeriod;
class TAnalysisData;

// "Compare with...": asks which period to lay under the analysis `data` and shows it, or takes the
// reference away. What the user chose last is offered again in this run.
void RunCompareCommand(QWidget* owner, ReferencePeriod& reference, const TAnalysisData* data);
