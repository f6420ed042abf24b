#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "GrowBuffer.h"

enum ParamKind : int32_t {
    kUnsetParam = 0,
    kBoolParam = 1,
    kIntParam = 2,
    kEnumParam = 3,
    kDoubleParam = 4,
};

// A fixed display text for one integer value of a parameter.
struct ValueText {
    static constexpr size_t kTextSize = 32;
    int32_t value;
    char text[kTextSize];
};

// One automatable quantity. It stores the plain value; hosts and controls see the
// unit value, the position in 0..1 after the curve mapping
//   plain = minimum + (maximum - minimum) * unit^curve.
// Invariants after definition: maximum >= minimum + step, curve != 0, decimals 0..6.
// Every write after definition goes through Assign or AssignUnit, which bound the
// value and never let a non-finite one in.
//
// The value is shared between threads: the host's user-interface thread sets it
// directly while the audio thread reads it at every sample. It is a relaxed atomic,
// which costs a plain load or store and makes each read see some whole written
// value; the plug-in lock orders everything else.
class PlugParam {
public:
    static constexpr size_t kTextSize = 32;  // name, label, group: 31 characters
    static constexpr int kMaxDecimals = 6;

    PlugParam() = default;
    PlugParam(const PlugParam&) = delete;
    PlugParam& operator=(const PlugParam&) = delete;

    void DefineContinuous(const char* name, double defaultValue, double minimum, double maximum,
                          double step, const char* label = "", double curve = 1.0);
    void DefineInteger(const char* name, int defaultValue, int minimum, int maximum,
                       const char* label = "");
    // A switch (0 or 1) and a list of `count` choices; value texts name the states.
    void DefineBool(const char* name, bool defaultValue);
    void DefineEnum(const char* name, int defaultValue, int count);
    void AddValueText(int value, const char* text);

    void SetCurve(double curve) { curve_ = curve; }
    void SetGroup(const char* group);
    void SetNegateDisplay(bool negate) { negateDisplay_ = negate; }
    void SetAutomatable(bool automatable) { automatable_ = automatable; }

    // Bounds v to [minimum, maximum]; never snaps.
    void Assign(double v);
    // Maps u to a plain value, snaps every kind but kDoubleParam to its step, and
    // bounds the result from above only.
    void AssignUnit(double u);

    double ToUnit(double plain) const;
    double FromUnit(double unit) const;
    double UnitValue() const { return ToUnit(Value()); }

    // Writes the display text of `plain` (no label) into `out` of `size` bytes.
    void FormatPlain(double plain, char* out, size_t size) const;
    void FormatValue(char* out, size_t size) const { FormatPlain(Value(), out, size); }
    // Reads a leading decimal number as atof does; no number gives 0.0.
    static double ParseValue(const char* text);

    ParamKind Kind() const { return kind_; }
    double Value() const { return value_.load(std::memory_order_relaxed); }
    // The stored value itself, for an engine that reads it afresh at every sample.
    const std::atomic<double>* ValueAddress() const { return &value_; }
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Step() const { return step_; }
    double Curve() const { return curve_; }
    double DefaultValue() const { return defaultValue_; }
    int Decimals() const { return decimals_; }
    const char* Name() const { return name_; }
    const char* Label() const { return label_; }
    const char* Group() const { return group_; }
    bool NegateDisplay() const { return negateDisplay_; }
    bool Automatable() const { return automatable_; }
    int ValueTextCount() const;
    const ValueText* ValueTextAt(int index) const;
    // The non-empty value text for `plain` truncated to an integer, or null.
    const char* ValueTextFor(double plain) const;

private:
    void StoreValue(double v) { value_.store(v, std::memory_order_relaxed); }

    ParamKind kind_ = kUnsetParam;
    std::atomic<double> value_ {0.0};
    double minimum_ = 0.0;
    double maximum_ = 1.0;
    double step_ = 1.0;
    double curve_ = 1.0;
    double defaultValue_ = 0.0;
    int32_t decimals_ = 0;
    char name_[kTextSize] = {};
    char label_[kTextSize] = {};
    char group_[kTextSize] = {};
    bool negateDisplay_ = false;
    bool automatable_ = true;
    GrowBuffer valueTexts_{GrowBuffer::kPageGranularity};
};
