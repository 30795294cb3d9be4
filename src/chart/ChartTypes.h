#pragma once

enum class SeriesKind { Line, Bar };
enum class ValueAxis { Left, Right };
