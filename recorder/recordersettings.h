#pragma once
// The recorder's own settings: the preset file (rate, channels, bitrate,
// input) and the filter file (the audio tool's filter chain), both text files
// of key=value lines, and the audio tool's command lines built from them.
// No Qt: the recorder is a small program of its own.

#include <string>
#include <vector>

namespace harddisk {

struct Preset {
    int rate = 44100;
    int channels = 1;
    int bitrate = 96;              // kbit/s
    std::string input = "default"; // "default" or "tone"
};

// What the first start writes when a file is missing.
std::string defaultPresetText();
std::string defaultFilterText();

// Reads the text of a preset or filter file; false with a Hungarian reason in
// *error (naming the line) when a line cannot be used.
bool parsePreset(const std::string& text, Preset& out, std::string* error);
bool parseFilter(const std::string& text, std::string& chain, std::string* error);

// The audio tool's arguments (without the program): the capture writes raw
// 16-bit samples of the input to its standard output, the encoder reads them
// from its standard input and writes the MP3 file through the filter chain.
std::vector<std::string> captureArguments(const Preset& preset);
// Short runs that show before a recording whether the input opens and
// whether the filter chain and the MP3 encoder work, writing nothing.
std::vector<std::string> inputCheckArguments(const Preset& preset);
std::vector<std::string> encoderCheckArguments(const Preset& preset,
                                               const std::string& filterChain);
std::vector<std::string> encodeArguments(const Preset& preset, const std::string& filterChain,
                                         const std::string& file);

} // namespace harddisk
