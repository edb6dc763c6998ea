#include "commands.h"

#include "codetable.h"
#include "engine/angles.h"
#include "engine/chart.h"
#include "generation.h"
#include "platform/chartfile.h"
#include "platform/folders.h"
#include "platform/settings.h"
#include "platform/uiprompts.h"

namespace velorin {

namespace {

const char* kCodetableHelp =
    "usage: velorin codetable --write PATH\n"
    "Writes the default code table (1122 entries, Windows-1250, CR LF) to PATH.\n";

const char* kInterpretHelp =
    "usage: velorin interpret FILE.ast [--mode 1|2|3|4]\n"
    "Generates the interpretation document of the chart from cod.dat in the program\n"
    "folder (written with the defaults when missing) into the text folder and prints\n"
    "its path. Modes: 1 text passages to a rich-text .doc, 2 the same with the old DOS\n"
    "accents repaired (default), 3 text passages to a plain .txt, 4 rich-text passages\n"
    "to a rich-text .doc. Missing passage files are reported on standard error.\n";

// Messages of the generation become lines on standard error; nothing waits
// for an answer.
class StreamPrompts : public UiPrompts {
public:
    explicit StreamPrompts(std::ostream& err) : err_(err) {}
    void message(const QString& text, const QString&, MessageIcon) override {
        QString line = text;
        line.replace(QLatin1String("\r\n"), QLatin1String(" "));
        err_ << line.toStdString() << std::endl;
    }
    Answer question(const QString&, const QString&) override { return Answer::No; }
    Answer questionWithCancel(const QString&, const QString&) override { return Answer::Cancel; }
    bool input(const QString&, const QString&, QString&) override { return false; }
    QString openFile(const FileDialogRequest&) override { return QString(); }
    QString saveFile(const FileDialogRequest&) override { return QString(); }
    bool chooseColor(QColor&) override { return false; }

private:
    std::ostream& err_;
};

// Applies --home/--data and returns the remaining arguments; false on a flag
// without its value.
bool takeCommonFlags(QStringList& args, std::ostream& err) {
    for (qsizetype i = 0; i < args.size();) {
        const QString& a = args[i];
        if (a == QLatin1String("--home") || a == QLatin1String("--data")) {
            if (i + 1 >= args.size()) {
                err << a.toStdString() << " needs a folder\n";
                return false;
            }
            if (a == QLatin1String("--home"))
                setProgramFolderOverride(args[i + 1]);
            else
                setDataRootOverride(args[i + 1]);
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    return true;
}

bool wantsHelp(const QStringList& args) {
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

QStringList toQt(const std::vector<std::string>& args) {
    QStringList out;
    for (const std::string& a : args)
        out.append(QString::fromStdString(a));
    return out;
}

} // namespace

int runCodetableCommand(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err) {
    QStringList args = toQt(arguments);
    if (wantsHelp(args)) {
        out << kCodetableHelp;
        return 0;
    }
    if (!takeCommonFlags(args, err))
        return 2;
    if (args.size() != 2 || args[0] != QLatin1String("--write")) {
        err << kCodetableHelp;
        return 2;
    }
    QString error;
    if (!writeDefaultCodeTable(args[1], &error)) {
        err << "velorin: cannot write " << args[1].toStdString() << ": " << error.toStdString()
            << '\n';
        return 1;
    }
    return 0;
}

int runInterpretCommand(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err) {
    QStringList args = toQt(arguments);
    if (wantsHelp(args)) {
        out << kInterpretHelp;
        return 0;
    }
    if (!takeCommonFlags(args, err))
        return 2;
    QString chartPath;
    int mode = 2; // the dialog's start state: first option, repair ticked
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mode") && i + 1 < args.size()) {
            bool ok = false;
            mode = args[++i].toInt(&ok);
            if (!ok || mode < 1 || mode > 4) {
                err << "--mode takes 1, 2, 3 or 4\n";
                return 2;
            }
        } else if (chartPath.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            chartPath = args[i];
        } else {
            err << kInterpretHelp;
            return 2;
        }
    }
    if (chartPath.isEmpty()) {
        err << kInterpretHelp;
        return 2;
    }

    const ReadResult read = readChartFile(chartPath);
    if (!read.file) {
        err << "velorin: " << read.error.toStdString() << '\n';
        return 1;
    }
    const BirthData& data = read.file->data;

    WorkingSettings ws;
    loadAll(ws);
    initEngine(programFolder().toStdString());
    const EngineSettings settings = ws.engine();
    ChartOutcome outcome = computeChart(data, settings);
    if (!outcome.ok()) {
        err << "velorin: " << outcome.error.label << ": " << outcome.error.message << '\n';
        return 1;
    }
    Chart& chart = *outcome.chart;
    appendAspects(chart, settings);

    StreamPrompts ui(err);
    CodeTable table;
    if (!ensureAndLoadCodeTable(codeTablePath(), table, ui))
        return 1;

    const GenerationRequest request = makeGenerationRequest(data, chart, GenerationMode(mode));
    const GenerationResult result = generateInterpretation(table, request, ui);
    if (result.status != GenerationResult::Status::Written)
        return 1;
    out << result.path.toStdString() << '\n';
    return 0;
}

} // namespace velorin
