#include "ui/CommandLine.h"

#include "core/FileFailure.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "ui/ErrorBoundary.h"
#include "ui/OpeningChannels.h"
#include "ui/OpeningTexts.h"
#include "ui/PathOpener.h"
#include "ui/TDialogAbout.h"
#include "ui/TMainform.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString ProgramName = QStringLiteral("solvista");

struct Options {
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption Version{{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption Language{QStringLiteral("language"), QString(), QStringLiteral("LANG")};
    QCommandLineOption Channels{QStringLiteral("channels"), QString(), QStringLiteral("LIST")};
};

// Parses without complaining: the caller decides what an error means.
void ParseInto(QCommandLineParser& parser, const Options& options, const QStringList& arguments) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(options.Help);
    parser.addOption(options.Version);
    parser.addOption(options.Language);
    parser.addOption(options.Channels);
    parser.parse(arguments);
}

} // namespace

int CommandLine::LanguageNumberOf(const QString& code) { return LanguageNumberOfCode(code); }

CommandLine CommandLine::Parse(const QStringList& arguments) {
    Options options;
    QCommandLineParser parser;
    ParseInto(parser, options, arguments);
    CommandLine line;
    for (const QString& unknown : parser.unknownOptionNames())
        line.Complaints.push_back(
            {TextUnknownOption,
             (unknown.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + unknown});
    // An option that wants a value and got none is not "unknown"; the parser only says so in its
    // own English words, so it is reported as the option it is.
    if (arguments.size() > 0 && arguments.constLast() == QStringLiteral("--language"))
        line.Complaints.push_back({TextUnknownLanguage, QString()});
    const QStringList languages = parser.values(options.Language);
    if (!languages.isEmpty()) {
        const QString code = languages.constLast();
        line.LanguageNumber = LanguageNumberOf(code);
        if (line.LanguageNumber == 0)
            line.Complaints.push_back({TextUnknownLanguage, code});
    }
    if (parser.isSet(options.Channels)) {
        // Each --channels adds to the list, so a long one may be given in parts.
        QStringList unknown;
        line.Channels = OpeningChannels::Parse(
            parser.values(options.Channels).join(QLatin1Char(',')), &unknown);
        for (const QString& name : unknown)
            line.Complaints.push_back({TextUnknownChannel, name});
    }
    if (arguments.size() > 0 && arguments.constLast() == QStringLiteral("--channels"))
        line.Complaints.push_back({TextUnknownChannel, QString()});
    for (const QString& path : parser.positionalArguments())
        line.Paths << QFileInfo(path).absoluteFilePath();
    return line;
}

std::optional<QString> CommandLine::ImmediateOutput(const QStringList& arguments) {
    Options options;
    QCommandLineParser parser;
    ParseInto(parser, options, arguments);
    if (parser.isSet(options.Help))
        return HelpText();
    if (parser.isSet(options.Version))
        return VersionText();
    return std::nullopt;
}

QString CommandLine::VersionText() {
    return QStringLiteral("Solvista %1\n").arg(TDialogAbout::VersionNumber());
}

QString CommandLine::HelpText() {
    const auto row = [](const QString& option, const QString& description) {
        return QStringLiteral("  %1  %2\n").arg(option, -20).arg(description);
    };
    return Text(TextUsage) + QLatin1Char(' ') + ProgramName +
           QStringLiteral(" [--language de|en|fr|es|it|pt|us] [--channels T1,T2,...] "
                          "[FILE.csv | FIRST.csv LAST.csv | FOLDER]\n\n") +
           Text(TextArgumentPaths) + QStringLiteral("\n\n") +
           row(QStringLiteral("--language LANG"), Text(TextOptionLanguage)) +
           row(QStringLiteral("--channels LIST"), Text(TextOptionChannels)) +
           row(QStringLiteral("-h, --help"), Text(TextOptionHelp)) +
           row(QStringLiteral("-v, --version"), Text(TextOptionVersion));
}

QStringList CommandLine::Messages() const {
    QStringList messages;
    for (const Complaint& complaint : Complaints)
        messages << (complaint.Argument.isEmpty() ? Text(complaint.Text)
                                                  : Text(complaint.Text) + QStringLiteral("\n\n") +
                                                        EscapeControls(complaint.Argument));
    return messages;
}

void CommandLine::ApplyTo(TMainform& frame) const {
    if (LanguageNumber != 0)
        frame.SetLanguageOverride(LanguageNumber);
    // Queued: the error boxes and a multi-day load come after the first activation has returned.
    QObject::connect(
        &frame, &TMainform::StartUpFinished, &frame, GuardedSlot([&frame, line = *this] {
            for (const QString& message : line.Messages())
                ShowErrorMessage(message);
            PathOpener::Open(frame, line.Paths, line.Channels);
        }),
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}
