#include "commands.h"
#include "options.h"

#include "interpretation/codetable.h"
#include "interpretation/generation.h"
#include "platform/folders.h"
#include "platform/uiprompts.h"

#include <QString>
#include <QStringList>

namespace velorin::cli {

namespace {

const char* kCodetableHelp =
    "usage: velorin codetable --write PATH\n"
    "Writes the default code table (the natal codes, then the forecast's event codes;\n"
    "Windows-1250, CR LF) to PATH.\n";

const char* kInterpretHelp =
    "usage: velorin interpret FILE.ast [--mode 1|2|3|4]\n"
    "Generates the interpretation document of the chart from cod.dat in the program\n"
    "folder (written with the defaults when missing) into the text folder and prints\n"
    "its path. Modes: 1 text passages to a rich-text .doc, 2 the same with the old DOS\n"
    "accents repaired (default), 3 text passages to a plain .txt, 4 rich-text passages\n"
    "to a rich-text .doc. Missing passage files are reported on standard error.\n";

// A chart file's name may start with one dash; two start an option, and
// an empty name is no chart.
bool interpretOption(const std::string& a) {
    return a.empty() || a.rfind("--", 0) == 0;
}

const OptionSpec kInterpretOptions[] = {
    {"--mode", true, nullptr, true, generationModeFits},
};

const OptionSpec kCodetableOptions[] = {
    {"--write", true, nullptr},
};

} // namespace

// Messages of the generation become lines on standard error; nothing waits
// for an answer. A notice (the old code table's) is held back until the run
// has succeeded: when it fails, its reason is the one line said.
class StreamPrompts : public UiPrompts {
public:
    explicit StreamPrompts(std::ostream& err) : err_(err) {}
    void message(const QString& text, const QString&, MessageIcon icon) override {
        QString line = text;
        line.replace(QLatin1String("\r\n"), QLatin1String(" "));
        if (icon == MessageIcon::Information)
            notices_ << line;
        else
            err_ << line.toStdString() << std::endl;
    }
    void sayNotices() {
        for (const QString& line : notices_)
            err_ << line.toStdString() << std::endl;
        notices_.clear();
    }
    Answer question(const QString&, const QString&, MessageIcon = MessageIcon::Question) override {
        return Answer::No;
    }
    Answer questionWithCancel(const QString&, const QString&) override { return Answer::Cancel; }
    bool input(const QString&, const QString&, QString&) override { return false; }
    QString openFile(const FileDialogRequest&) override { return QString(); }
    QString saveFile(const FileDialogRequest&) override { return QString(); }
    bool chooseColor(QColor&) override { return false; }

private:
    std::ostream& err_;
    QStringList notices_;
};

std::unique_ptr<UiPrompts> streamPrompts(std::ostream& err) {
    return std::make_unique<StreamPrompts>(err);
}

int runCodetable(const Args& arguments, std::ostream& out, std::ostream& err) {
    ParsedOptions p;
    CommandLine line;
    if (int status =
            beginAndReadCommand(kCodetableHelp, arguments,
                                CommandSyntax{kCodetableOptions, nullptr, 0}, p, line, out, err);
        status >= 0)
        return status;
    if (line.fault || !p.has("--write")) {
        err << kCodetableHelp;
        return 2;
    }
    const std::string path = p.value("--write");
    QString error;
    if (!writeDefaultCodeTable(QString::fromStdString(path), &error)) {
        err << "velorin: a kódtábla nem írható ide: " << path << " (" << error.toStdString()
            << "); a meglévő fájl változatlan.\n";
        return 1;
    }
    return 0;
}

int runInterpret(const Args& arguments, std::ostream& out, std::ostream& err) {
    ParsedOptions p;
    CommandLine line;
    if (int status = beginAndReadCommand(kInterpretHelp, arguments,
                                         CommandSyntax{kInterpretOptions, interpretOption, 1}, p,
                                         line, out, err);
        status >= 0)
        return status;
    if (line.fault && line.fault->kind == OptionFault::Kind::BadValue) {
        err << "--mode takes 1, 2, 3 or 4\n";
        return 2;
    }
    if (line.fault || p.positional.empty()) {
        err << kInterpretHelp;
        return 2;
    }
    const std::string& chartPath = p.positional.front();
    // the dialog's start state: first option, repair ticked
    const int mode = p.has("--mode") ? generationModeOf(p.value("--mode")) : 2;

    LoadedChart lc;
    if (!loadChart(chartPath, lc, err))
        return 1;

    StreamPrompts ui(err);
    CodeTable table;
    if (!ensureAndLoadCodeTable(codeTablePath(), table, ui))
        return 1;

    const GenerationRequest request =
        makeGenerationRequest(lc.data, lc.chart, GenerationMode(mode));
    const GenerationResult result = generateInterpretation(table, request, ui);
    if (result.status != GenerationResult::Status::Written)
        return 1;
    ui.sayNotices();
    out << result.path.toStdString() << '\n';
    return 0;
}

} // namespace velorin::cli
