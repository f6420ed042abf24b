#include "EqualiserSections.h"
#include "FrequencyResponse.h"
#include "StereoSection.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr double kFs = 48000.0;
const double kInputGain = -std::pow(10.0, 1.125);
const double kHpfMakeUp = std::pow(10.0, 0.725);

struct Knobs {
    double high = 0.5, lowBoost = 0.001, lowAtten = 0.0, mid = 0.5;
};

// The equaliser cascade with its input gain, knobs as settled smoothers.
Complex Cascade(const Knobs& k, double f, double fs = kFs) {
    LowSection low;
    MidSection mid;
    HighSection high;
    low.Design(fs, 1.0 - k.lowAtten, k.lowBoost);
    mid.Design(fs, 1.0 - k.mid);
    high.Design(fs, k.high);
    return kInputGain * Response(low, f, fs) * Response(mid, f, fs) * Response(high, f, fs);
}

struct TableRow {
    const char* name;
    Knobs knobs;
    double db[5];
};

TEST(EqualiserSections, CascadeMatchesPublishedResponseTable) {
    const double freqs[5] = {20.0, 100.0, 1000.0, 5000.0, 16000.0};
    const TableRow rows[] = {
        {"defaults", {}, {0.07, 0.07, 0.08, 0.07, 0.04}},
        {"low boost 0.9", {0.5, 0.9, 0.0, 0.5}, {15.97, 11.56, -0.18, -1.15, -1.19}},
        {"low atten 1.0", {0.5, 0.001, 1.0, 0.5}, {-18.31, -14.55, -1.55, 0.00, 0.03}},
        {"high 0.0", {0.0, 0.001, 0.0, 0.5}, {0.07, 0.14, 0.68, -7.79, -15.21}},
        {"high 1.0", {1.0, 0.001, 0.0, 0.5}, {0.07, 0.00, -0.53, 7.94, 15.29}},
        {"mid 0.02", {0.5, 0.001, 0.0, 0.02}, {0.05, -0.19, -11.44, -3.22, -0.13}},
        {"mid 0.98", {0.5, 0.001, 0.0, 0.98}, {0.08, 0.33, 11.59, 3.37, 0.20}},
    };
    for (const TableRow& row : rows)
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(Db(Cascade(row.knobs, freqs[i])), row.db[i], 0.006)
                << row.name << " at " << freqs[i] << " Hz";
}

TEST(EqualiserSections, DefaultsKeepThePhaseWithinTwoDegrees) {
    for (double f = 20.0; f <= 16000.0; f *= 1.05)
        EXPECT_NEAR(Degrees(Cascade({}, f)), 0.0, 2.0) << f << " Hz";
}

// Extreme of the cascade's level between 500 Hz and 5 kHz.
struct Extreme {
    double freq, db;
};

Extreme MidExtreme(double mid, double fs) {
    Knobs k;
    k.mid = mid;
    const double sign = mid > 0.5 ? 1.0 : -1.0;
    Extreme best{0.0, -1e9};
    for (double f = 500.0; f <= 5000.0; f += 1.0) {
        const double db = sign * Db(Cascade(k, f, fs));
        if (db > best.db) best = {f, db};
    }
    return {best.freq, sign * best.db};
}

TEST(EqualiserSections, MidPeaksAndDipsNear1450HzAtAnySampleRate) {
    const Extreme peak = MidExtreme(0.98, kFs);
    EXPECT_NEAR(peak.db, 15.5, 0.1);
    EXPECT_NEAR(peak.freq, 1450.0, 60.0);
    const Extreme dip = MidExtreme(0.02, kFs);
    EXPECT_NEAR(dip.db, -15.4, 0.1);
    EXPECT_NEAR(dip.freq, 1450.0, 60.0);
    EXPECT_NEAR(MidExtreme(0.98, 96000.0).freq, peak.freq, 0.03 * peak.freq);
}

TEST(EqualiserSections, BoostAndAttenuationTogether) {
    const Knobs both{0.5, 0.9, 1.0, 0.5};
    EXPECT_NEAR(Db(Cascade(both, 20.0)), 15.3, 0.05);
    EXPECT_NEAR(Db(Cascade(both, 60.0)), 13.2, 0.05);
}

TEST(EqualiserSections, HighPassCornersMatchTheirTable) {
    const double cornerHz[5] = {67.6, 99.4, 143.8, 204.8, 307.1};
    const double at50HzDb[5] = {-4.52, -6.95, -9.68, -12.50, -15.89};
    for (int k = 1; k <= kHpfCorners; ++k) {
        HpfStage hpf;
        hpf.Design(k, kFs);
        const double passBand = std::abs(Response(hpf, kFs / 2.0, kFs));
        EXPECT_NEAR(passBand, 0.188192, 1e-6) << "corner " << k;
        EXPECT_NEAR(Db(kHpfMakeUp * Response(hpf, 50.0, kFs)), at50HzDb[k - 1], 0.006)
            << "corner " << k;
        const auto magnitude = [&](double f) { return std::abs(Response(hpf, f, kFs)); };
        EXPECT_NEAR(Crossing(magnitude, passBand / std::sqrt(2.0), 10.0, 1000.0),
                    cornerHz[k - 1], 0.06)
            << "corner " << k;
    }
}

TEST(EqualiserSections, LowPassCornersFollowTheAnalogueModel) {
    struct Corner {
        double v, analogueHz, rounding;
    };
    const Corner corners[] = {
        {1.0, 3725.0, 1.0}, {0.5, 7111.0, 1.0}, {0.1, 34200.0, 100.0}, {0.02, 170000.0, 1000.0}};
    for (const Corner& c : corners) {
        LpfStage lpf;
        lpf.Design(c.v, kFs);
        EXPECT_NEAR(std::abs(Response(lpf, 0.0, kFs)), 1.0, 1e-12);
        const auto magnitude = [&](double f) { return std::abs(Response(lpf, f, kFs)); };
        const double digitalHz = Crossing(magnitude, 1.0 / std::sqrt(2.0), 10.0, kFs / 2.0);
        // The bilinear transform with K = 2 fs maps analogue w to 2 fs tan(wd / 2 fs).
        const double analogueHz = kFs / kPi * std::tan(kPi * digitalHz / kFs);
        EXPECT_NEAR(analogueHz, c.analogueHz, c.rounding) << "v = " << c.v;
    }
}

// Each lane realises its own channel's transfer function, whatever the other
// lane's coefficients.
TEST(StereoSection, EachLaneRealisesItsChannelsTransferFunction) {
    MidSection dip, peak;
    dip.Design(kFs, 1.0 - 0.02);
    peak.Design(kFs, 1.0 - 0.98);
    StereoSection<3> both;
    both.SetCoefficients(dip, peak);
    const double f = 1450.0, w = 2.0 * kPi * f / kFs;
    // After the transient, the output is |H| sin(wn + arg H).
    std::vector<StereoSample> out;
    // The dip's transient takes a few seconds to fade below the tolerance.
    for (int n = 0; n < 400000; ++n) out.push_back(both.Tick(StereoSample{std::sin(w * n), std::sin(w * n)}));
    const Complex h[2] = {Response(dip, f, kFs), Response(peak, f, kFs)};
    EXPECT_NEAR(Db(h[0]), -15.4, 0.1);
    EXPECT_NEAR(Db(h[1]), 15.5, 0.1);
    for (int lane = 0; lane < 2; ++lane)
        for (int n = 399000; n < 400000; ++n)
            ASSERT_NEAR(out[n][lane], std::abs(h[lane]) * std::sin(w * n + std::arg(h[lane])),
                        1e-9 * std::abs(h[lane]))
                << "lane " << lane;
}

TEST(StereoSection, ClearsOnlyTheLaneThatTurnedNonFinite) {
    HighSection design;
    design.Design(kFs, 0.3);
    StereoSection<2> both;
    both.SetCoefficients(design, design);
    both.Tick(StereoSample{0.5, 0.5});
    both.Tick(StereoSample{std::numeric_limits<double>::quiet_NaN(), 0.25});
    const StereoSample kept[2] = {both.x[0], both.y[1]};
    both.ClearNonFiniteLanes();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(both.x[i][0], 0.0);
        EXPECT_EQ(both.y[i][0], 0.0);
    }
    EXPECT_EQ(both.x[0][1], kept[0][1]);
    EXPECT_EQ(both.y[1][1], kept[1][1]);
    EXPECT_NE(both.y[1][1], 0.0);
}

}  // namespace
