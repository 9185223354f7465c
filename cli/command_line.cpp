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

}  // namespace

CommandLineResult parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    OptionValues& values = line.values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == u"--help" || arg == u"-h") {
            return CommandLineResult::success(CommandLine{Mode::Help, {}, {}, {}, 0});
        }
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            return failure(QStringLiteral("unexpected argument \"%1\"; options start with --, "
                                          "see --help")
                               .arg(arg));
        }
        Argument a = split(arg);
        const OptionRow* option = findOption(a.name);
        if (option == nullptr || option->field == nullptr) {
            return failure(QStringLiteral("--%1: unknown option, see --help").arg(a.name));
        }
        std::optional<QString>& field = values.*option->field;
        if (field) {
            return failure(QStringLiteral("--%1: given more than once").arg(a.name));
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
                return failure(QStringLiteral("--%1: expects a value").arg(a.name));
            }
            a.value = arguments.at(++i);
        }
        field = a.value;
    }
    if (arguments.isEmpty()) {
        return failure(QStringLiteral("no options given; see --help"));
    }
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
    const auto& batch = values.batch;
    const auto& outputDir = values.outputDir;
    const auto& jobs = values.jobs;
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
        if (!outputDir || outputDir->isEmpty()) {
            return failure(
                QStringLiteral("--output-dir: required with --batch: the folder for "
                               "the files the rows name"));
        }
        line.mode = Mode::Batch;
        line.batchFile = *batch;
        line.outputDir = *outputDir;
    } else if (outputDir) {
        return failure(
            QStringLiteral("--output-dir: only used with --batch; give --output for "
                           "one symbol"));
    } else if (jobs) {
        return failure(QStringLiteral("--jobs: only used with --batch"));
    }
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

}  // namespace strikon::cli
