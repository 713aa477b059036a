// Synthesises the four wave files of the sound events: 16-bit PCM, mono, 22050 Hz.
// Usage: make_sounds <output folder>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/binary_file.h"

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

using Samples = std::vector<double>;

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (const char* c = tag; *c; c++) {
        out.push_back(static_cast<uint8_t>(*c));
    }
}

bool WriteWave(const std::string& path, const Samples& samples) {
    auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> wave;
    PutTag(wave, "RIFF");
    PutLittleEndian(wave, 36 + dataBytes, 4);
    PutTag(wave, "WAVEfmt ");
    PutLittleEndian(wave, 16, 4);
    PutLittleEndian(wave, 1, 2); // PCM
    PutLittleEndian(wave, 1, 2); // mono
    PutLittleEndian(wave, Rate, 4);
    PutLittleEndian(wave, Rate * 2, 4);
    PutLittleEndian(wave, 2, 2);
    PutLittleEndian(wave, 16, 2);
    PutTag(wave, "data");
    PutLittleEndian(wave, dataBytes, 4);
    for (double sample : samples) {
        double clamped = sample > 1 ? 1 : sample < -1 ? -1 : sample;
        auto value = static_cast<int16_t>(std::lround(clamped * 32000));
        PutLittleEndian(wave, static_cast<uint16_t>(value), 2);
    }
    return WriteBinaryFile(path.c_str(), wave);
}

Samples Silence(double seconds) {
    return Samples(static_cast<size_t>(seconds * Rate), 0.0);
}

// A sine tone gliding from one frequency to another under a quick attack and a decay.
void AddTone(Samples& out, double start, double seconds, double fromHz, double toHz, double volume,
             double decay) {
    double phase = 0;
    auto first = static_cast<size_t>(start * Rate);
    auto count = static_cast<size_t>(seconds * Rate);
    for (size_t i = 0; i < count && first + i < out.size(); i++) {
        double t = static_cast<double>(i) / Rate;
        double hz = fromHz + (toHz - fromHz) * t / seconds;
        phase += 2 * Pi * hz / Rate;
        double attack = t < 0.004 ? t / 0.004 : 1;
        double envelope = attack * std::exp(-decay * t);
        double tone = std::sin(phase) + 0.25 * std::sin(2 * phase);
        out[first + i] += volume * envelope * tone;
    }
}

Samples Jump() { // a light springy boing for the bouncing ball
    Samples s = Silence(0.16);
    AddTone(s, 0, 0.16, 420, 760, 0.45, 22);
    return s;
}

Samples CantMove() { // two low notes going down: no way there
    Samples s = Silence(0.3);
    AddTone(s, 0, 0.12, 240, 230, 0.5, 12);
    AddTone(s, 0.13, 0.17, 180, 170, 0.5, 12);
    return s;
}

Samples Move() { // a soft rising swish
    Samples s = Silence(0.22);
    uint32_t noise = 12345;
    double low = 0;
    for (size_t i = 0; i < s.size(); i++) {
        noise = noise * 1664525u + 1013904223u;
        double white = static_cast<double>(noise >> 8) / 8388608.0 - 1;
        low += (white - low) * 0.08;
        double t = static_cast<double>(i) / Rate;
        double envelope = std::sin(Pi * t / 0.22);
        s[i] = 0.7 * low * envelope * envelope;
    }
    AddTone(s, 0.02, 0.18, 300, 520, 0.18, 10);
    return s;
}

Samples Destroy() { // a bright arpeggio: a shape is complete
    Samples s = Silence(0.6);
    const double notes[] = {659.3, 784.0, 987.8, 1318.5};
    for (int i = 0; i < 4; i++) {
        AddTone(s, 0.07 * i, 0.6 - 0.07 * i, notes[i], notes[i], 0.19, 7);
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    bool written = WriteWave(folder + "/jump.wav", Jump()) &&
                   WriteWave(folder + "/cantmove.wav", CantMove()) &&
                   WriteWave(folder + "/move.wav", Move()) &&
                   WriteWave(folder + "/destroy.wav", Destroy());
    if (!written) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
