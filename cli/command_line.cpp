#include "cli/command_line.h"

#include "cli/option_table.h"

namespace strikon::cli {

namespace {

CommandLineResult failure(const QString& message) {
    return CommandLineResult::failure(message);
}

struct Argument {
    QString name;                  // without "--"
    std::optional<QString> value;  // given after "="
};

Argument split(const QString& arg) {
    const QString body = arg.mid(2);
    const qsizetype eq = body.indexOf(QLatin1Char('='));
    if (eq < 0) {
        return {body, std::nullopt};
    }
    return {body.left(eq), body.mid(eq + 1)};
}

// A value is the next argument unless that is itself an option; "-" alone is a value (standard
// output or input).
bool looksLikeOption(const QString& arg) {
    return arg.startsWith(QLatin1String("--")) ||
           (arg.startsWith(QLatin1Char('-')) && arg.size() > 1 && !arg.at(1).isDigit());
}

// The sheet's options need --sheet; a batch fills a sheet with one label a row.
QString sheetShape(const OptionValues& values) {
    if (values.sheet && values.batch && (values.copies || values.run)) {
        return QStringLiteral("--%1: not used with --batch; each row of the batch is one label")
            .arg(QLatin1String(values.copies ? "copies" : "run"));
    }
    if (values.sheet) {
        return {};
    }
    for (const OptionRow& option : options()) {
        if (option.use == OptionUse::Sheet && values.*option.field) {
            return QStringLiteral("--%1: only used with --sheet LAYOUT")
                .arg(QLatin1String(option.name));
        }
    }
    return {};
}

// The options as given: their values, or that --help asked for nothing else.
struct GivenOptions {
    bool help = false;
    OptionValues values;
};

// Reads the option at arguments[i] and its value (the next argument when not after "="),
// leaving i on the last argument read. An error, or nothing when the option was read.
QString readOption(const QStringList& arguments, qsizetype& i, OptionValues& values) {
    const QString& arg = arguments.at(i);
    if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
        return QStringLiteral("unexpected argument \"%1\"; options start with --, see --help")
            .arg(arg);
    }
    Argument a = split(arg);
    const OptionRow* option = findOption(a.name);
    if (option == nullptr || option->field == nullptr) {
        return QStringLiteral("--%1: unknown option, see --help").arg(a.name);
    }
    std::optional<QString>& field = values.*option->field;
    if (field) {
        return QStringLiteral("--%1: given more than once").arg(a.name);
    }
    if (option->valueName == nullptr && !a.value) {
        a.value = QStringLiteral("yes");
    }
    if (!a.value && option->valueName[0] == '[') {
        const bool given = i + 1 < arguments.size() && !looksLikeOption(arguments.at(i + 1));
        a.value = given ? arguments.at(++i) : QStringLiteral("");
    }
    if (!a.value) {
        if (i + 1 >= arguments.size() || looksLikeOption(arguments.at(i + 1))) {
            return QStringLiteral("--%1: expects a value").arg(a.name);
        }
        a.value = arguments.at(++i);
    }
    field = a.value;
    return {};
}

// Every option in order; --help or -h anywhere ends the reading, whatever came before it.
Result<GivenOptions> readOptions(const QStringList& arguments) {
    GivenOptions given;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == u"--help" || arguments.at(i) == u"-h") {
            return Result<GivenOptions>::success(GivenOptions{true, {}});
        }
        if (QString error = readOption(arguments, i, given.values); !error.isEmpty()) {
            return Result<GivenOptions>::failure(error);
        }
    }
    return Result<GivenOptions>::success(std::move(given));
}

// The mode the options ask for, with the options only another mode takes refused.
CommandLineResult checkModes(CommandLine line) {
    const OptionValues& values = line.values;
    if (values.listSheets) {
        for (const OptionRow& option : options()) {
            if (option.use != OptionUse::List && option.field != nullptr && values.*option.field) {
                return failure(QStringLiteral("--list-sheets: used on its own, not with --%1")
                                   .arg(QLatin1String(option.name)));
            }
        }
        line.mode = Mode::ListSheets;
        return CommandLineResult::success(std::move(line));
    }
    if (QString error = sheetShape(values); !error.isEmpty()) {
        return failure(error);
    }
    if (values.check) {
        const QString t = values.check->trimmed().toLower();
        line.check = t == u"yes" || t == u"true" || t == u"1" || t == u"on";
        if (!line.check &&
            !(t.isEmpty() || t == u"no" || t == u"false" || t == u"0" || t == u"off")) {
            return failure(
                QStringLiteral("--check: expects yes or no, got \"%1\"").arg(*values.check));
        }
    }
    if (values.inkSpread) {
        bool ok = false;
        line.inkSpreadMm = values.inkSpread->trimmed().toDouble(&ok);
        if (!ok || !(line.inkSpreadMm >= 0 && line.inkSpreadMm <= kMaxInkSpreadMm)) {
            return failure(
                QStringLiteral("--ink-spread: expects millimetres from 0 to %1, got \"%2\"")
                    .arg(kMaxInkSpreadMm, 0, 'f', 3)
                    .arg(*values.inkSpread));
        }
        if (!line.check) {
            return failure(QStringLiteral("--ink-spread: only used with --check"));
        }
    }
    if (line.check && values.output && *values.output == u"-") {
        return failure(
            QStringLiteral("--output: - is standard output, where --check writes its "
                           "report; name a file"));
    }
    const auto& batch = values.batch;
    const auto& outputDir = values.outputDir;
    if (values.sheet) {
        line.mode = Mode::Sheet;
        if (outputDir) {
            return failure(
                QStringLiteral("--output-dir: not used with --sheet; the sheet is "
                               "one PDF named by --output"));
        }
        line.batchFile = batch.value_or(QString());
    } else if (batch) {
        if (values.output) {
            return failure(
                QStringLiteral("--output: not used with --batch; each row names its "
                               "file in the file column, written into --output-dir"));
        }
        if ((!outputDir || outputDir->isEmpty()) && !line.check) {
            return failure(
                QStringLiteral("--output-dir: required with --batch: the folder for "
                               "the files the rows name"));
        }
        line.mode = Mode::Batch;
        line.batchFile = *batch;
        line.outputDir = outputDir.value_or(QString());
    } else if (outputDir) {
        return failure(
            QStringLiteral("--output-dir: only used with --batch; give --output for "
                           "one symbol"));
    } else if (values.jobs) {
        return failure(QStringLiteral("--jobs: only used with --batch"));
    }
    return CommandLineResult::success(std::move(line));
}

// --jobs, where given, as a number of threads.
CommandLineResult checkJobs(CommandLine line) {
    const std::optional<QString>& jobs = line.values.jobs;
    if (jobs) {
        bool ok = false;
        line.jobs = jobs->trimmed().toInt(&ok);
        if (!ok || line.jobs < 1 || line.jobs > kMaxJobs) {
            return failure(QStringLiteral("--jobs: expects a whole number of threads from 1 to "
                                          "%1, got \"%2\"")
                               .arg(kMaxJobs)
                               .arg(*jobs));
        }
    }
    return CommandLineResult::success(std::move(line));
}

}  // namespace

CommandLineResult parseCommandLine(const QStringList& arguments) {
    Result<GivenOptions> given = readOptions(arguments);
    if (!given.ok) {
        return failure(given.error);
    }
    if (given.value.help) {
        return CommandLineResult::success(CommandLine{Mode::Help, {}, {}, {}, 0});
    }
    if (arguments.isEmpty()) {
        return failure(QStringLiteral("no options given; see --help"));
    }
    CommandLine line;
    line.values = std::move(given.value.values);
    CommandLineResult moded = checkModes(std::move(line));
    return moded.ok ? checkJobs(std::move(moded.value)) : moded;
}

}  // namespace strikon::cli
