#include "forecastdocument.h"

#include "platform/settings.h"
#include "platform/uiprompts.h"

#include <QHash>

namespace velorin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString assembleForecast(const CodeTable& table, const ForecastRequest& request, UiPrompts& ui,
                         bool* tooLarge) {
    if (tooLarge)
        *tooLarge = false;
    // First entry of each code, as the interpretation takes it; each file is
    // read (and a missing one reported) once however often its event recurs.
    QHash<QString, int> entryOf;
    for (int i = table.size() - 1; i >= 0; --i)
        entryOf.insert(table.entry(i).code, i);
    QHash<int, QString> passages;
    QHash<int, bool> readable;

    QString doc = request.header + kCrLf + QStringLiteral("ELŐREJELZÉS") + kCrLf + kCrLf;
    for (const DatedCode& e : request.events) {
        QString passage;
        const auto it = entryOf.constFind(e.code);
        if (it != entryOf.constEnd()) {
            const int i = it.value();
            if (!readable.contains(i)) {
                QString text;
                readable[i] = linkedPassage(table.entry(i).file, request.mode, ui, text);
                passages[i] = text;
            }
            if (readable[i])
                passage = passages[i];
        }
        const QString block = e.dateLine + kCrLf + passage + kCrLf;
        if (doc.size() + block.size() > kMaxDocumentChars) {
            ui.message(QStringLiteral("Az előrejelzés túl nagy lenne (több mint %1 millió "
                                      "karakter). Az előrejelzés nem lett elmentve; válasszon "
                                      "rövidebb időszakot vagy kevesebb égitestet.")
                           .arg(kMaxDocumentChars / 1000000),
                       QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
            if (tooLarge)
                *tooLarge = true;
            break;
        }
        doc += block;
    }
    return doc;
}

GenerationResult generateForecast(const CodeTable& table, const ForecastRequest& request,
                                  UiPrompts& ui) {
    return writeGeneratedDocument(
        request.name + QStringLiteral(" előrejelzés"), request.mode, ui,
        [&](bool* tooLarge) { return assembleForecast(table, request, ui, tooLarge); });
}

} // namespace velorin
