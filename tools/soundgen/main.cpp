// outlaysheet-soundgen: synthesises a short sound from a recipe of events
// (data/sounds) and writes it as a 16-bit mono PCM WAV file at 22050 Hz.
//
//   outlaysheet-soundgen RECIPE.txt OUT.wav
//
// The events of a recipe are described at the top of the recipe file. The
// noise comes from a fixed-seed generator, so every build writes the same
// bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPeak = 0.89;      // about -1 dBFS, clear of clipping
constexpr double kFadeOut = 0.030;  // seconds; ends the last ring without a click
constexpr double kTwoPi = 2 * std::numbers::pi;

using Samples = std::vector<double>;

// A small linear congruential generator: plenty for noise, and the same on
// every machine, unlike std::rand.
class Noise {
public:
    double Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state_ >> 11) / double(1ULL << 53) * 2.0 - 1.0;
    }

private:
    std::uint64_t state_ = 0x5eed;
};

// A two-pole resonator: turns a burst of noise into the ring of a small
// piece of metal at `frequency`.
class Resonator {
public:
    Resonator(double frequency, double bandwidth) {
        radius_ = std::exp(-std::numbers::pi * bandwidth / kRate);
        coefficient_ = 2 * radius_ * std::cos(kTwoPi * frequency / kRate);
    }
    double Step(double in) {
        const double out = in * (1 - radius_) + coefficient_ * y1_ - radius_ * radius_ * y2_;
        y2_ = y1_;
        y1_ = out;
        return out;
    }

private:
    double radius_ = 0;
    double coefficient_ = 0;
    double y1_ = 0;
    double y2_ = 0;
};

int Index(double seconds) {
    return int(std::lround(seconds * kRate));
}

void AddClick(Samples& out, Noise& noise, double time, double gain, double frequency) {
    Resonator body(frequency, 900);
    const int start = Index(time);
    const int length = Index(0.012);
    for (int i = 0; i < length && start + i < int(out.size()); ++i) {
        const double excitation = i < Index(0.0015) ? noise.Next() : 0.0;
        out[start + i] += gain * 6 * body.Step(excitation) * std::exp(-double(i) / Index(0.003));
    }
}

void AddRattle(Samples& out, Noise& noise, double start, double duration, double gain) {
    // The drawer's rollers tick faster as it gathers speed.
    double time = start;
    while (time < start + duration) {
        const double progress = (time - start) / duration;
        const double frequency = 1800 + 1400 * (noise.Next() + 1) / 2;
        AddClick(out, noise, time, gain * (0.6 + 0.4 * std::sin(progress * std::numbers::pi)),
                 frequency);
        time += 0.016 - 0.008 * progress + 0.003 * noise.Next();
    }
}

void AddThump(Samples& out, Noise& noise, double time, double frequency, double gain,
              double decay) {
    const int start = Index(time);
    Resonator knock(frequency * 4, 400);
    for (int i = 0; start + i < int(out.size()) && i < Index(decay * 6); ++i) {
        const double t = double(i) / kRate;
        const double envelope = std::exp(-t / decay);
        const double tone = std::sin(kTwoPi * frequency * t);
        const double rattle = knock.Step(i < Index(0.004) ? noise.Next() : 0.0) * 8;
        out[start + i] += gain * envelope * (tone + 0.5 * rattle);
    }
}

void AddBell(Samples& out, double time, double frequency, double gain, double decay) {
    // Partials of a small struck bell: inharmonic, the higher ones dying
    // sooner; each sounds as a slightly detuned pair, which gives the shimmer.
    struct Partial {
        double ratio;
        double level;
        double life;
    };
    static constexpr Partial kPartials[] = {
        {1.00, 1.00, 1.00}, {2.32, 0.45, 0.65}, {4.25, 0.30, 0.40},
        {6.63, 0.16, 0.25}, {9.38, 0.08, 0.15},
    };
    const int start = Index(time);
    for (int i = 0; start + i < int(out.size()); ++i) {
        const double t = double(i) / kRate;
        const double attack = std::min(1.0, t / 0.002);
        double sample = 0;
        for (const Partial& partial : kPartials) {
            const double f = frequency * partial.ratio;
            if (f >= kRate / 2) {
                continue;
            }
            const double ring = std::sin(kTwoPi * f * t) + 0.6 * std::sin(kTwoPi * f * 1.003 * t);
            sample += partial.level * std::exp(-t / (decay * partial.life)) * ring / 1.6;
        }
        out[start + i] += gain * attack * sample;
    }
}

bool Render(std::istream& recipe, Samples& out, std::string& error) {
    Noise noise;
    std::string line;
    int number = 0;
    while (std::getline(recipe, line)) {
        ++number;
        std::istringstream words(line);
        std::string event;
        if (!(words >> event) || event[0] == '#') {
            continue;
        }
        double a = 0;
        double b = 0;
        double c = 0;
        double d = 0;
        bool ok = true;
        if (event == "length") {
            ok = bool(words >> a) && a > 0 && a < 10;
            out.assign(ok ? Index(a) : 0, 0.0);
        } else if (out.empty()) {
            ok = false;
        } else if (event == "click") {
            ok = bool(words >> a >> b);
            AddClick(out, noise, a, b, 2600);
        } else if (event == "rattle") {
            ok = bool(words >> a >> b >> c);
            AddRattle(out, noise, a, b, c);
        } else if (event == "thump") {
            ok = bool(words >> a >> b >> c >> d);
            AddThump(out, noise, a, b, c, d);
        } else if (event == "bell") {
            ok = bool(words >> a >> b >> c >> d);
            AddBell(out, a, b, c, d);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": cannot use \"" + line +
                    "\" (a recipe starts with length)";
            return false;
        }
    }
    if (out.empty()) {
        error = "the recipe has no length";
        return false;
    }
    return true;
}

void Finish(Samples& out) {
    const int fade = Index(kFadeOut);
    for (int i = 0; i < fade && i < int(out.size()); ++i) {
        out[out.size() - 1 - i] *= double(i) / fade;
    }
    double peak = 0;
    for (const double sample : out) {
        peak = std::max(peak, std::abs(sample));
    }
    if (peak > 0) {
        for (double& sample : out) {
            sample *= kPeak / peak;
        }
    }
}

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += char((value >> (8 * i)) & 0xff);
    }
}

std::string WavBytes(const Samples& samples) {
    const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);         // format chunk size
    PutLittleEndian(bytes, 1, 2);          // PCM
    PutLittleEndian(bytes, 1, 2);          // mono
    PutLittleEndian(bytes, kRate, 4);      // samples per second
    PutLittleEndian(bytes, kRate * 2, 4);  // bytes per second
    PutLittleEndian(bytes, 2, 2);          // bytes per sample frame
    PutLittleEndian(bytes, 16, 2);         // bits per sample
    bytes += "data";
    PutLittleEndian(bytes, dataSize, 4);
    for (const double sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0, 1.0) * 32767);
        PutLittleEndian(bytes, std::uint32_t(value) & 0xffff, 2);
    }
    return bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: outlaysheet-soundgen RECIPE.txt OUT.wav\n");
        return 2;
    }
    std::ifstream recipe(argv[1]);
    if (!recipe) {
        std::fprintf(stderr, "outlaysheet-soundgen: cannot read %s\n", argv[1]);
        return 1;
    }
    Samples samples;
    std::string error;
    if (!Render(recipe, samples, error)) {
        std::fprintf(stderr, "outlaysheet-soundgen: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    Finish(samples);
    const std::string bytes = WavBytes(samples);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush()) {
        std::fprintf(stderr, "outlaysheet-soundgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return EXIT_SUCCESS;
}
