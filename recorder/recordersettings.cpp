#include "recordersettings.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <sstream>

namespace harddisk {
namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool wholeNumber(const std::string& s, int& out) {
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, out);
    return r.ec == std::errc() && r.ptr == end && !s.empty();
}

// A refused line as a message may quote it: control characters (a NUL would
// end the message there) as \xNN, and no more than a screen line of it.
std::string printable(const std::string& line) {
    constexpr std::size_t kLimit = 60;
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        // Cut only between characters, not inside one's UTF-8 bytes.
        if (out.size() >= kLimit && (c & 0xC0) != 0x80)
            return out + "…";
        if (c < 0x20 || c == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

// Calls use(key, value, lineNumber) for every setting line; comments (#) and
// blank lines are skipped. False when use() rejects a line or a line has no "=".
bool forEachSetting(
    const std::string& text, std::string* error,
    const std::function<bool(const std::string&, const std::string&, std::string*)>& use) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string t = trim(line);
        if (t.empty() || t.front() == '#')
            continue;
        const auto eq = t.find('=');
        std::string why;
        if (eq == std::string::npos)
            why = "hiányzik az \"=\"";
        else if (use(trim(t.substr(0, eq)), trim(t.substr(eq + 1)), &why))
            continue;
        if (error)
            *error = std::to_string(number) + ". sor (" + printable(t) + "): " + why;
        return false;
    }
    return true;
}

constexpr int kMp3Rates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

} // namespace

std::string defaultPresetText() {
    return "# A harddisk hangrögzítő beállításai, soronként kulcs=érték.\n"
           "# rate: mintavételi frekvencia (Hz), channels: 1 (mono) vagy 2 (sztereó),\n"
           "# bitrate: az MP3 bitrátája (kbit/s), input: default = az alapértelmezett\n"
           "# hangbemenet, tone = próbahang hangkártya nélküli gépekre.\n"
           "rate=44100\n"
           "channels=1\n"
           "bitrate=96\n"
           "input=default\n";
}

std::string defaultFilterText() {
    return "# A felvételre alkalmazott hangszűrő-lánc (ffmpeg -af), üres: nincs szűrés.\n"
           "# Az alapérték a beszéd alatti zúgást vágja le.\n"
           "filter=highpass=f=80\n";
}

bool parsePreset(const std::string& text, Preset& out, std::string* error) {
    Preset p;
    const bool ok = forEachSetting(
        text, error, [&](const std::string& key, const std::string& value, std::string* why) {
            int n = 0;
            if (key == "rate") {
                if (wholeNumber(value, n) && std::find(std::begin(kMp3Rates), std::end(kMp3Rates),
                                                       n) != std::end(kMp3Rates)) {
                    p.rate = n;
                    return true;
                }
                *why = "az MP3 ezt a mintavételi frekvenciát nem ismeri";
            } else if (key == "channels") {
                if (wholeNumber(value, n) && (n == 1 || n == 2)) {
                    p.channels = n;
                    return true;
                }
                *why = "a csatornák száma 1 vagy 2 lehet";
            } else if (key == "bitrate") {
                if (wholeNumber(value, n) && n >= 8 && n <= 320) {
                    p.bitrate = n;
                    return true;
                }
                *why = "a bitráta 8 és 320 kbit/s között lehet";
            } else if (key == "input") {
                if (value == "default" || value == "tone") {
                    p.input = value;
                    return true;
                }
                *why = "a bemenet default vagy tone lehet";
            } else {
                *why = "ismeretlen kulcs";
            }
            return false;
        });
    if (ok)
        out = p;
    return ok;
}

bool parseFilter(const std::string& text, std::string& chain, std::string* error) {
    std::string found;
    const bool ok = forEachSetting(
        text, error, [&](const std::string& key, const std::string& value, std::string* why) {
            if (key == "filter") {
                found = value;
                return true;
            }
            *why = "ismeretlen kulcs";
            return false;
        });
    if (ok)
        chain = found;
    return ok;
}

namespace {

// The audio tool's options that open the input.
std::vector<std::string> inputArguments(const Preset& preset) {
    if (preset.input == "tone")
        // Read at its own pace, so that a second of recording is a second of sound.
        return {"-re", "-f", "lavfi", "-i",
                "sine=frequency=440:sample_rate=" + std::to_string(preset.rate)};
    // ALSA's default device reaches PulseAudio or PipeWire where they run.
    return {"-f", "alsa", "-i", "default"};
}

} // namespace

std::vector<std::string> captureArguments(const Preset& preset) {
    std::vector<std::string> args = {"-hide_banner", "-nostdin", "-loglevel", "error"};
    const auto input = inputArguments(preset);
    args.insert(args.end(), input.begin(), input.end());
    // Every packet at once: a pause takes effect on the sound of that moment.
    args.insert(args.end(),
                {"-ac", std::to_string(preset.channels), "-ar", std::to_string(preset.rate), "-f",
                 "s16le", "-flush_packets", "1", "pipe:1"});
    return args;
}

std::vector<std::string> inputCheckArguments(const Preset& preset) {
    std::vector<std::string> args = {"-hide_banner", "-nostdin", "-loglevel", "error"};
    const auto input = inputArguments(preset);
    args.insert(args.end(), input.begin(), input.end());
    args.insert(args.end(), {"-t", "0.1", "-f", "null", "-"});
    return args;
}

std::vector<std::string> encoderCheckArguments(const Preset& preset,
                                               const std::string& filterChain) {
    std::vector<std::string> args = {
        "-hide_banner",
        "-nostdin",
        "-loglevel",
        "error",
        "-f",
        "lavfi",
        "-i",
        "anullsrc=sample_rate=" + std::to_string(preset.rate) +
            ":channel_layout=" + (preset.channels == 2 ? "stereo" : "mono"),
        "-t",
        "0.1"};
    if (!filterChain.empty())
        args.insert(args.end(), {"-af", filterChain});
    args.insert(args.end(), {"-c:a", "libmp3lame", "-b:a", std::to_string(preset.bitrate) + "k",
                             "-f", "mp3", "-y", "/dev/null"});
    return args;
}

std::vector<std::string> encodeArguments(const Preset& preset, const std::string& filterChain,
                                         const std::string& file) {
    std::vector<std::string> args = {"-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-f",
                                     "s16le",
                                     "-ac",
                                     std::to_string(preset.channels),
                                     "-ar",
                                     std::to_string(preset.rate),
                                     "-i",
                                     "pipe:0"};
    if (!filterChain.empty())
        args.insert(args.end(), {"-af", filterChain});
    args.insert(args.end(), {"-c:a", "libmp3lame", "-b:a", std::to_string(preset.bitrate) + "k",
                             "-f", "mp3", "-n", file});
    return args;
}

} // namespace harddisk
