// torvi-cli: Torvi without a window, for documents, pictures and checks from the shell.
#include "Dateien.h"
#include "Demo.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <functional>

namespace torvi::cli {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitFailed = 2;

void Err(const QString& s) {
    std::fprintf(stderr, "torvi-cli: %s\n", qPrintable(s));
}

struct TCommand {
    const char* name;
    const char* usage;
    const char* summary;
    std::function<int(const QStringList&)> run;
};

// Reads "-o FILE" and "--dpi D" style options; the rest stays positional.
struct TOptions : TDateiOptionen {
    QString error;
};

TOptions ParseOptions(const QStringList& args) {
    TOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) {
                o.error = QStringLiteral("%1 needs a value").arg(a);
                return {};
            }
            return args[++i];
        };
        if (a == "-o" || a == "--output") {
            o.output = value();
        } else if (a == "--dpi") {
            bool ok = false;
            o.dpi = value().toDouble(&ok);
            if (o.error.isEmpty() && (!ok || o.dpi < 10 || o.dpi > 2400))
                o.error = QStringLiteral("--dpi must be a number from 10 to 2400");
        } else if (a == "--page") {
            bool ok = false;
            o.page = value().toInt(&ok);
            if (o.error.isEmpty() && (!ok || o.page < 1))
                o.error = QStringLiteral("--page must be a page number from 1");
        } else if (a == "--json") {
            o.json = true;
        } else if (a.startsWith('-')) {
            o.error = QStringLiteral("unknown option %1").arg(a);
        } else {
            o.positional << a;
        }
    }
    return o;
}

constexpr const char* kDemoUsage = "demo -o FILE.png|FILE.trv [--dpi D]";

int RunDemo(const QStringList& args) {
    const TOptions o = ParseOptions(args);
    if (!o.error.isEmpty() || o.output.isEmpty() || !o.positional.isEmpty()) {
        Err(o.error.isEmpty() ? QStringLiteral("usage: torvi-cli %1").arg(kDemoUsage) : o.error);
        return kExitUsage;
    }
    QString error;
    const bool document = o.output.endsWith(QLatin1String(".trv"), Qt::CaseInsensitive);
    if (!(document ? WriteDemoDocument(o.output, error) : WriteDemo(o.output, o.dpi, error))) {
        Err(error);
        return kExitFailed;
    }
    std::printf("%s\n", qPrintable(o.output));
    return kExitOk;
}

// Runs a file command after checking its arguments: `files` positional names, the output
// option when needed, and only the options it knows.
int RunFileCommand(const QStringList& args, const char* usage, int files, bool needsOutput,
                   int (*run)(const TDateiOptionen&)) {
    const TOptions o = ParseOptions(args);
    if (!o.error.isEmpty() || o.positional.size() != files || needsOutput == o.output.isEmpty()) {
        Err(o.error.isEmpty() ? QStringLiteral("usage: torvi-cli %1").arg(usage) : o.error);
        return kExitUsage;
    }
    return run(o);
}

constexpr const char* kInfoUsage = "info FILE [--json]";
constexpr const char* kResaveUsage = "resave IN OUT";
constexpr const char* kRenderUsage = "render IN [--page N] [--dpi D] -o OUT.png";

const std::vector<TCommand>& Commands();

int RunHelp(const QStringList&) {
    std::printf("usage: torvi-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const TCommand& c : Commands()) std::printf("  %-34s %s\n", c.usage, c.summary);
    return kExitOk;
}

const std::vector<TCommand>& Commands() {
    static const std::vector<TCommand> commands = {
        {"demo", kDemoUsage, "a sheet of what Torvi's elements can draw, as picture or document",
         &RunDemo},
        {"info", kInfoUsage, "show what a document, page, form or library file holds",
         [](const QStringList& a) { return RunFileCommand(a, kInfoUsage, 1, false, &Info); }},
        {"resave", kResaveUsage, "write a file again at the current version",
         [](const QStringList& a) { return RunFileCommand(a, kResaveUsage, 2, false, &Resave); }},
        {"render", kRenderUsage, "draw a page as a PNG picture (default: the active page)",
         [](const QStringList& a) { return RunFileCommand(a, kRenderUsage, 1, true, &Render); }},
        {"help", "help", "list the commands", &RunHelp},
    };
    return commands;
}

} // namespace
} // namespace torvi::cli

int main(int argc, char** argv) {
    using namespace torvi::cli;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        RunHelp({});
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == "--help" || name == "-h") return RunHelp({});
    for (const TCommand& c : Commands())
        if (name == QLatin1String(c.name)) return c.run(args);
    Err(QStringLiteral("unknown command '%1' (see torvi-cli --help)").arg(name));
    return kExitUsage;
}
