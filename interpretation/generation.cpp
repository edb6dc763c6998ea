#include "generation.h"

#include "ansitext.h"
#include "engine/chart.h"
#include "engine/sheet.h"
#include "platform/folders.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"
#include "rtf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <new>
#include <unordered_map>

namespace velorin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A passage file is a few kilobytes; a linked file of absurd size (a video
// linked by mistake) must not be pulled into the document.
constexpr qint64 kMaxPassageBytes = 8 * 1024 * 1024;

struct CodeHash {
    size_t operator()(QStringView code) const noexcept {
        size_t h = 14695981039346656037u;
        for (const QChar c : code)
            h = (h ^ c.unicode()) * 1099511628211u;
        return h;
    }
};

// Every line of a plain-text passage ends with CR LF, whatever ends it in the file.
QString joinLines(const QString& text) {
    const QStringList lines = splitLineEnds(text);
    QString out;
    out.reserve(text.size() + 64);
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        out += lines[i] + kCrLf;
    if (!lines.last().isEmpty())
        out += lines.last() + kCrLf;
    return out;
}

} // namespace

QStringList interpretationCodes(const Chart& chart) {
    QStringList codes{QStringLiteral("ELOSZO0"), QStringLiteral("ELOSZO")};
    for (const std::string& code : chart.codes)
        codes.append(QString::fromStdString(code));
    return codes;
}

GenerationRequest makeGenerationRequest(const BirthData& data, const Chart& chart,
                                        GenerationMode mode) {
    GenerationRequest r;
    r.codes = interpretationCodes(chart);
    r.header = QString::fromStdString(sheetHeader(data));
    r.listing = QString::fromStdString(chart.listing);
    r.name = QString::fromStdString(data.name);
    r.mode = mode;
    return r;
}

QString repairDosAccents(const QString& text) {
    static const std::array<unsigned char, 256> map = [] {
        std::array<unsigned char, 256> m{};
        for (int i = 0; i < 256; ++i)
            m[size_t(i)] = static_cast<unsigned char>(i);
        const int pairs[][2] = {{160, 225}, {143, 193}, {130, 233}, {144, 201}, {161, 237},
                                {141, 205}, {162, 243}, {149, 211}, {148, 246}, {153, 214},
                                {147, 245}, {139, 245}, {239, 245}, {163, 250}, {151, 218},
                                {129, 252}, {154, 220}};
        for (const auto& p : pairs)
            m[size_t(p[0])] = static_cast<unsigned char>(p[1]);
        return m;
    }();
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        // A character the code page cannot spell has no DOS meaning either.
        const int code = cp1250Byte(ch);
        out += code < 0 ? ch : cp1250Char(map[size_t(code)]);
    }
    return out;
}

bool readPassage(const QString& path, GenerationMode mode, QString& passage, QString* error) {
    QByteArray bytes;
    if (!readSmallFile(path, bytes, kMaxPassageBytes, error))
        return false;
    if (mode == GenerationMode::RtfToRtf) {
        // A passage that is not rich text at all is taken as plain text rather
        // than dropped.
        const QString text =
            looksLikeRtf(bytes) ? rtfToPlainText(bytes) : joinLines(decodeTextFile(bytes));
        passage = text + kCrLf;
    } else {
        passage = joinLines(decodeTextFile(bytes));
    }
    return true;
}

bool linkedPassage(const QString& file, GenerationMode mode, UiPrompts& ui, QString& passage) {
    if (file.isEmpty() || file == kNoFileAssigned)
        return false;
    const QString path = trimBlanks(file);
    QString error;
    // Read first and asked why only when that fails: a stat of every one of
    // a thousand files before reading it cost as much as the reading.
    if (readPassage(path, mode, passage, &error)) {
        if (mode == GenerationMode::DosTextToRtf)
            passage = repairDosAccents(passage);
        return true;
    }
    if (!QFileInfo(path).isFile()) {
        ui.message(QStringLiteral("A ") + path +
                       QStringLiteral(" nem található, ezért az értelmezésből ki lesz "
                                      "hagyva.") +
                       kCrLf +
                       QStringLiteral("Ellenőrizze a kódszerkesztőben az olló ikonnal "
                                      "rendelkező kapcsolatokat, és javitsa ki."),
                   QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
        return false;
    }
    // Present but unreadable (no permission, far too large): left out like a
    // missing file, but with the real reason.
    passage.clear();
    ui.message(QStringLiteral("A ") + path + QStringLiteral(" nem olvasható (") + error +
                   QStringLiteral("), ezért az értelmezésből ki lesz hagyva."),
               QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
    return false;
}

QString assembleInterpretation(const CodeTable& table, const GenerationRequest& request,
                               UiPrompts& ui, bool* tooLarge) {
    if (tooLarge)
        *tooLarge = false;
    // Where each code first appears among those asked for: searching the list
    // for every table entry was quadratic in the codes. Codes are a few
    // letters, so a plain multiplicative hash beats QHash's seeded one, which
    // was a tenth of the whole generation; emplace keeps the first index.
    std::unordered_map<QStringView, qsizetype, CodeHash> firstIndex;
    firstIndex.reserve(size_t(request.codes.size()));
    for (qsizetype k = 0; k < request.codes.size(); ++k)
        firstIndex.emplace(request.codes.at(k), k);
    QString foreword;
    QString body;
    for (int i = 0; i < table.size(); ++i) {
        const auto it = firstIndex.find(table.entry(i).code);
        if (it == firstIndex.end())
            continue;
        const qsizetype found = it->second;
        QString passage;
        if (!linkedPassage(table.entry(i).file, request.mode, ui, passage))
            continue;
        if (foreword.size() + body.size() + passage.size() > kMaxDocumentChars) {
            // One huge passage linked to every code would otherwise grow the
            // document without bound.
            ui.message(QStringLiteral("Az értelmezés túl nagy lenne (több mint %1 millió "
                                      "karakter): a(z) %2 már nem fér bele. Az értelmezés nem "
                                      "lett elmentve.")
                           .arg(kMaxDocumentChars / 1000000)
                           .arg(trimBlanks(table.entry(i).file)),
                       QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
            if (tooLarge)
                *tooLarge = true;
            break;
        }
        QString& block = found == 0 ? foreword : body;
        block += passage;
        block += kCrLf;
        block += kCrLf;
    }
    // Built in place: the body is most of the document, and a chain of
    // temporaries would copy it again.
    const QString title = QStringLiteral("ÉRTELMEZÉS");
    QString document;
    document.reserve(request.header.size() + title.size() + foreword.size() +
                     request.listing.size() + body.size() + 7 * kCrLf.size());
    for (const QString* part : std::initializer_list<const QString*>{
             &request.header, &kCrLf, &title, &kCrLf, &kCrLf, &foreword, &kCrLf, &kCrLf,
             &request.listing, &kCrLf, &kCrLf, &body})
        document += *part;
    return document;
}

GenerationResult generateInterpretation(const CodeTable& table, const GenerationRequest& request,
                                        UiPrompts& ui) {
    return writeGeneratedDocument(request.name, request.mode, ui, [&](bool* tooLarge) {
        return assembleInterpretation(table, request, ui, tooLarge);
    });
}

GenerationResult writeGeneratedDocument(const QString& name, GenerationMode mode, UiPrompts& ui,
                                        const std::function<QString(bool*)>& assemble) {
    GenerationResult result;
    result.mode = mode;
    if (mode == GenerationMode::None)
        return result;

    const bool plain = mode == GenerationMode::TextToText;
    const QString extension = plain ? QStringLiteral("txt") : QStringLiteral("doc");
    // The chart program makes the text folder at start; the command line and a
    // user who removed it meanwhile need it made here.
    QDir().mkpath(textFolder());
    const QString candidate = textFolder() + safeFileName(name) + '.' + extension;
    const auto noFreeName = [&](const QString& reason) {
        // Writing under an empty name would fail or land somewhere
        // unexpected, so nothing is written.
        ui.message(QStringLiteral("Nincs szabad filenév: ") + candidate + QStringLiteral(" (") +
                       reason + QStringLiteral("). Az értelmezés nem lett elmentve."),
                   QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
        result.status = GenerationResult::Status::NoFreeName;
        return result;
    };
    // Asked first so that nobody answers the assembly's questions for a
    // document that has nowhere to go; the name itself is taken only with
    // the finished content, below.
    if (uniqueName(candidate, extension).isEmpty())
        return noFreeName(QStringLiteral("a(z) %1 név és a (2)-(10) sorszámú változatai mind "
                                         "foglaltak")
                              .arg(QFileInfo(candidate).fileName()));

    bool tooLarge = false;
    result.document = assemble(&tooLarge);
    if (tooLarge) {
        result.document.clear();
        result.status = GenerationResult::Status::TooLarge;
        return result;
    }
    const QByteArray bytes =
        plain ? encodeAnsiText(result.document + kCrLf) : plainTextToRtf(result.document);
    QString error;
    const std::optional<QString> written = writeUniqueFile(candidate, extension, bytes, &error);
    if (!written) {
        // Taken meanwhile by parallel runs for people of the same name.
        if (uniqueName(candidate, extension).isEmpty())
            return noFreeName(error);
        ui.message(QStringLiteral("Az értelmezés nem menthető ide: ") + candidate + kCrLf + error +
                       QStringLiteral(". Az értelmezés nem lett elmentve."),
                   QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
        result.status = GenerationResult::Status::WriteFailed;
        return result;
    }
    result.status = GenerationResult::Status::Written;
    result.path = *written;
    return result;
}

} // namespace velorin
