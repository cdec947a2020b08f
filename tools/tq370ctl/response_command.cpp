#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "params/param_encoding.h"
#include "response/math/filter_code.h"
#include "response/math/filter_response.h"

namespace tq370::ctl {

namespace {

// The lowest crossover frequency the processor takes (its EQ bands start at 19.7 Hz).
constexpr double CROSSOVER_MIN_HZ = 19;

using namespace tq370::response;

constexpr int DEFAULT_WIDTH = 1000;
constexpr int MAX_WIDTH = 100000;
constexpr int DEFAULT_DECIMALS = 4;
constexpr int MAX_DECIMALS = 17;

struct ResponseOptions {
    int width = DEFAULT_WIDTH;
    std::string hp;
    std::string lp;
    std::vector<std::string> peqs;
    std::optional<int> band;
    int decimals = DEFAULT_DECIMALS;
};

// The comma-separated fields of text; nullopt unless there are exactly count of them.
std::optional<std::vector<std::string_view>> splitFields(std::string_view text, std::size_t count) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (fields.size() != count) return std::nullopt;
    return fields;
}

template <typename T>
std::optional<T> parseNumber(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// "CODE,FREQ" of a crossover whose code must run in the given direction.
void parseCrossover(const std::string& option, const std::string& text, FilterDirection direction,
                    int& code, double& frequencyHz) {
    const auto fields = splitFields(text, 2);
    const auto parsedCode = fields ? parseNumber<int>((*fields)[0]) : std::nullopt;
    const auto parsedFrequency = fields ? parseNumber<double>((*fields)[1]) : std::nullopt;
    if (!parsedCode || !parsedFrequency)
        throw UsageError(option + " takes CODE,FREQ, e.g. 8,80; got '" + text + "'");
    const auto info = response::decodeFilterCode(*parsedCode);
    if (!info || info->direction != direction) {
        throw UsageError(option + ": " + std::to_string(*parsedCode) + " is not a " +
                         (direction == FilterDirection::HighPass ? "high" : "low") +
                         "-pass filter code (8..31 or 40..69, " +
                         (direction == FilterDirection::HighPass ? "even" : "odd") + ")");
    }
    if (!(*parsedFrequency >= CROSSOVER_MIN_HZ && *parsedFrequency <= FREQUENCY_MAX_HZ)) {
        throw UsageError(option +
                         ": FREQ must lie between 19 and 20600 Hz, the processor's "
                         "range; got '" +
                         std::string((*fields)[1]) + "'");
    }
    code = *parsedCode;
    frequencyHz = *parsedFrequency;
}

// "FREQ,Q,GAIN" of an EQ band into the given slot of the curve.
void parsePeaking(const std::string& text, CurveParams& curve, std::size_t slot) {
    const auto fields = splitFields(text, 3);
    std::optional<double> values[3];
    for (std::size_t i = 0; fields && i < 3; ++i) values[i] = parseNumber<double>((*fields)[i]);
    if (!values[0] || !values[1] || !values[2])
        throw UsageError("--peq takes FREQ,Q,GAIN, e.g. 1000,7.6,6; got '" + text + "'");
    // The processor's ranges: anything else cannot be set and would only compute nonsense.
    if (!(*values[0] >= CROSSOVER_MIN_HZ && *values[0] <= FREQUENCY_MAX_HZ))
        throw UsageError("--peq " + text + ": FREQ must lie between 19 and 20600 Hz");
    if (!(*values[1] >= Q_MIN && *values[1] <= Q_MAX))
        throw UsageError("--peq " + text + ": Q must lie between 0.4 and 128");
    if (!(*values[2] >= GAIN_MIN_DB && *values[2] <= GAIN_MAX_DB))
        throw UsageError("--peq " + text + ": GAIN must lie between -20 and +20 dB");
    curve.frequencyHz[slot] = *values[0];
    curve.q[slot] = *values[1];
    curve.gainDb[slot] = *values[2];
    curve.type[slot] = PEAKING_TYPE;
}

void printResponse(const ResponseOptions& options) {
    const int off = *encodeFilterCode(SLOPE_OFF, FilterFamily::Butter, FilterDirection::HighPass);
    int hpCode = off;
    int lpCode = off + 1;
    CurveParams curve;
    if (!options.hp.empty())
        parseCrossover("--hp", options.hp, FilterDirection::HighPass, hpCode,
                       curve.frequencyHz[HP_BAND]);
    if (!options.lp.empty())
        parseCrossover("--lp", options.lp, FilterDirection::LowPass, lpCode,
                       curve.frequencyHz[LP_BAND]);
    if (options.peqs.size() > static_cast<std::size_t>(EQ_BAND_COUNT))
        throw UsageError("at most " + std::to_string(EQ_BAND_COUNT) + " --peq bands");
    for (std::size_t i = 0; i < options.peqs.size(); ++i)
        parsePeaking(options.peqs[i], curve, FIRST_EQ_BAND + i);
    const int lastBand = FIRST_EQ_BAND + static_cast<int>(options.peqs.size()) - 1;
    if (options.band && (*options.band < 0 || *options.band > lastBand)) {
        const std::string eqBands = options.peqs.empty()
                                        ? "no --peq band was given"
                                        : "2.." + std::to_string(lastBand) + " are the --peq bands";
        throw UsageError("--band " + std::to_string(*options.band) +
                         ": band 0 is the HP, 1 the LP, " + eqBands);
    }

    const ResponseGrid grid(options.width);
    std::vector<double> values(grid.size());
    if (options.band)
        bandResponse(curve, *options.band, hpCode, lpCode, grid, values);
    else
        curveResponse(curve, hpCode, lpCode, grid, values);
    for (std::size_t i = 0; i < grid.size(); ++i)
        std::printf("%.3f %.*f\n", grid.frequenciesHz()[i], options.decimals, values[i]);
}

void addResponseCommands(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand(
        "response", "Print a channel's filter response in dB, one 'FREQ DB' line per grid point");
    auto options = std::make_shared<ResponseOptions>();
    cmd->add_option("--width", options->width, "plot width W in pixels; W + 10 points")
        ->default_val(DEFAULT_WIDTH)
        ->check(CLI::Range(1, MAX_WIDTH));
    cmd->add_option("--hp", options->hp, "high-pass crossover CODE,FREQ (default off)");
    cmd->add_option("--lp", options->lp, "low-pass crossover CODE,FREQ (default off)");
    cmd->add_option("--peq", options->peqs, "EQ band FREQ,Q,GAIN; Q is the stored Q; repeatable")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    cmd->add_option("--band", options->band,
                    "print only this band's own response: 0 HP, 1 LP, 2.. the --peq bands");
    cmd->add_option("--decimals", options->decimals, "decimals of the dB values")
        ->default_val(DEFAULT_DECIMALS)
        ->check(CLI::Range(0, MAX_DECIMALS));
    cmd->callback([options, &exitCode] {
        printResponse(*options);
        exitCode = EXIT_OK;
    });
}

const CommandRegistration registration{"response", addResponseCommands};

}  // namespace

}  // namespace tq370::ctl
