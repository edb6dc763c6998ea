#include "interpretationcommands.h"

#include "frmertelmez.h"
#include "frmkodedit.h"
#include "frmselect.h"
#include "platform/uiprompts.h"

#include <QGuiApplication>

namespace velorin {

namespace {

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Without a program for rich text the document would seem to vanish: the
// user at least learns where it was written.
void openDocument(const GenerationResult& result, const QString& what) {
    if (result.status == GenerationResult::Status::Written && !shellOpener().open(result.path))
        prompts().message(what +
                              QStringLiteral(" elkészült, de nincs program, amely "
                                             "megnyitná. A dokumentum helye: ") +
                              result.path,
                          QString(), MessageIcon::Information);
}

} // namespace

bool loadCodeTableAtStartup(CodeTable& table) {
    BusyPointer busy;
    return ensureAndLoadCodeTable(codeTablePath(), table, prompts());
}

GenerationResult runGenerateInterpretation(QWidget* parent, const CodeTable& table,
                                           GenerationRequest request,
                                           const std::function<void()>& prepare) {
    request.mode = frmSelect::choose(parent);
    if (request.mode == GenerationMode::None)
        return {};
    if (prepare)
        prepare();
    GenerationResult result;
    {
        BusyPointer busy;
        result = generateInterpretation(table, request, prompts());
    }
    openDocument(result, QStringLiteral("Az értelmezés"));
    return result;
}

GenerationResult runGenerateForecast(QWidget* parent, const CodeTable& table,
                                     ForecastRequest request) {
    request.mode = frmSelect::choose(parent);
    if (request.mode == GenerationMode::None)
        return {};
    GenerationResult result;
    {
        BusyPointer busy;
        result = generateForecast(table, request, prompts());
    }
    openDocument(result, QStringLiteral("Az előrejelzés"));
    return result;
}

void runCodeEditor(QWidget* parent, CodeTable& table) {
    {
        frmKodedit editor(codeTablePath(), parent);
        editor.exec();
    }
    BusyPointer busy;
    loadCodeTable(codeTablePath(), table, prompts());
}

frmErtelmez* openInterpretationEditor(QWidget* parent) {
    auto* editor = new frmErtelmez(parent);
    editor->setWindowFlag(Qt::Window);
    editor->show();
    return editor;
}

} // namespace velorin
