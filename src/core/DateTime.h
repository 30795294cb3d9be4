#pragma once

// Days since 30 December 1899; the fraction is the time of day (one hour is 1/24). Values are local
// wall-clock times exactly as a log file writes them: no time zone is ever applied.
using DateTime = double;
