// Synthesises the table's sounds as 16-bit mono WAV files, so that no
// recorded material is needed:
//
//   make_sounds FOLDER
//
// writes deal.wav, hold.wav, draw.wav, win1.wav (a small win), win2.wav,
// win3.wav (the largest), doublewin.wav and doublelose.wav into FOLDER.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using TSamples = std::vector<double>;

// A tone with a few soft overtones, struck and decaying like a bell.
void AddTone(TSamples& out, double start, double seconds, double frequency, double volume,
             double decay = 6.0) {
    const auto first = static_cast<size_t>(start * kRate);
    const auto count = static_cast<size_t>(seconds * kRate);
    if (out.size() < first + count) out.resize(first + count, 0.0);
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        const double release = std::min(1.0, (seconds - t) / 0.01);
        const double envelope = attack * release * std::exp(-decay * t);
        const double phase = 2 * kPi * frequency * t;
        out[first + i] += volume * envelope *
                          (std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase));
    }
}

// A tone whose pitch slides from one frequency to another.
void AddGlide(TSamples& out, double start, double seconds, double from, double to, double volume) {
    const auto first = static_cast<size_t>(start * kRate);
    const auto count = static_cast<size_t>(seconds * kRate);
    if (out.size() < first + count) out.resize(first + count, 0.0);
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double frequency = from + (to - from) * t / seconds;
        phase += 2 * kPi * frequency / kRate;
        const double envelope = std::min(1.0, t / 0.005) * std::min(1.0, (seconds - t) / 0.03);
        out[first + i] += volume * envelope * (std::sin(phase) + 0.2 * std::sin(3 * phase));
    }
}

// A card sliding onto the felt: a short burst of smoothed noise.
void AddFlick(TSamples& out, double start, double seconds, double volume, double smoothing) {
    static std::mt19937 random(20261207u); // the same files on every build
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const auto first = static_cast<size_t>(start * kRate);
    const auto count = static_cast<size_t>(seconds * kRate);
    if (out.size() < first + count) out.resize(first + count, 0.0);
    double level = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        level += smoothing * (noise(random) - level);
        const double envelope = std::min(1.0, t / 0.002) * std::exp(-t * 9.0 / seconds);
        out[first + i] += volume * envelope * level;
    }
}

void Put16(std::ofstream& file, uint16_t value) {
    const char bytes[] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    file.write(bytes, 2);
}

void Put32(std::ofstream& file, uint32_t value) {
    Put16(file, static_cast<uint16_t>(value & 0xFFFF));
    Put16(file, static_cast<uint16_t>(value >> 16));
}

void WriteWav(const std::string& path, const TSamples& samples) {
    std::ofstream file(path, std::ios::binary);
    const auto data = static_cast<uint32_t>(samples.size() * 2);
    file.write("RIFF", 4);
    Put32(file, 36 + data);
    file.write("WAVEfmt ", 8);
    Put32(file, 16);
    Put16(file, 1); // PCM
    Put16(file, 1); // mono
    Put32(file, kRate);
    Put32(file, kRate * 2);
    Put16(file, 2);
    Put16(file, 16);
    file.write("data", 4);
    Put32(file, data);
    // The loudest sample at about half of full scale: sounds of a trainer
    // stay below whatever else the desktop plays.
    double peak = 1e-9;
    for (double s : samples) peak = std::max(peak, std::fabs(s));
    for (double s : samples)
        Put16(file, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s / peak * 16000))));
    if (!file) throw std::runtime_error("cannot write " + path);
}

// Note frequencies of the equal-tempered scale: semitones above A4.
double Note(int semitones) {
    return 440.0 * std::pow(2.0, semitones / 12.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        TSamples deal, hold, draw, win1, win2, win3, doubleWin, doubleLose;
        AddFlick(deal, 0, 0.06, 0.8, 0.35);
        AddTone(hold, 0, 0.09, Note(15), 0.6, 30); // C6, short
        AddFlick(draw, 0, 0.05, 0.8, 0.25);
        AddFlick(draw, 0.06, 0.05, 0.6, 0.25);
        // Wins: a rising figure on C major, longer and fuller the larger the win.
        const int c5 = 3, e5 = 7, g5 = 10, c6 = 15, e6 = 19, g6 = 22;
        AddTone(win1, 0, 0.18, Note(c5), 0.5);
        AddTone(win1, 0.1, 0.3, Note(g5), 0.5);
        for (int i = 0; const int n : {c5, e5, g5, c6})
            AddTone(win2, 0.09 * i++, 0.35, Note(n), 0.5);
        for (int round = 0; round < 3; ++round)
            for (int i = 0; const int n : {c5, e5, g5, c6, e6, g6})
                AddTone(win3, 0.42 * round + 0.07 * i++, 0.3, Note(n + round * 2), 0.45);
        for (const int n : {c6, e6, g6}) AddTone(win3, 1.3, 0.9, Note(n), 0.4, 2.5);
        AddGlide(doubleWin, 0, 0.2, Note(c5), Note(c6), 0.5);
        for (const int n : {c6, e6, g6}) AddTone(doubleWin, 0.2, 0.5, Note(n), 0.4, 4);
        AddGlide(doubleLose, 0, 0.45, Note(-2), Note(-14), 0.6);
        const std::pair<const char*, const TSamples*> files[] = {
            {"deal", &deal},           {"hold", &hold},
            {"draw", &draw},           {"win1", &win1},
            {"win2", &win2},           {"win3", &win3},
            {"doublewin", &doubleWin}, {"doublelose", &doubleLose}};
        for (const auto& [name, samples] : files) WriteWav(folder + name + ".wav", *samples);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_sounds: %s\n", error.what());
        return 1;
    }
    return 0;
}
