#pragma once

#include <QStringList>

#include <optional>
#include <vector>

class TMainform;

// Opens what a list of paths names, whether it came from the command line or from a drop: one log
// file as a day, two as the first and the last file of a range, a folder in the yield window.
class PathOpener {
public:
    enum class Kind { Nothing, Day, Range, Folder };
    struct Request {
        Kind What = Kind::Nothing;
        QStringList Paths;
    };

    // Raises AppError: text 84 with the path for a path that does not exist, TextOpenWhat for a
    // list that is none of the shapes above.
    static Request Classify(const QStringList& paths);

    // Classifies and opens into the window SelectTargetWindow gives, ticking `channels` in it
    // (without them, those of the window's settings); failures are raised.
    static void Open(TMainform& frame, const QStringList& paths,
                     const std::optional<std::vector<int>>& channels = {});
};
