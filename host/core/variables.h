// The simulator's variables as the substitute host keeps them: one value per
// token, typed as the simulator types it. Integer-typed tokens (the radio BCD
// words, flags and station information words) come back to the module as a
// 32-bit integer in the first word of the value; every other token as a
// double.
#pragma once

#include <array>
#include <cstdint>

#include "module/records.h"

namespace korvel::host {

enum class VariableType { number, word };

class VariableStore {
public:
    // Tokens run from 1 to token_limit - 1; 0 names no variable.
    static constexpr std::uint32_t token_limit = 1024;

    VariableStore();  // a parked, cold and dark aircraft

    static VariableType type(std::uint32_t token);
    static bool valid(std::uint32_t token) { return token > 0 && token < token_limit; }

    // Setting an unknown token throws std::out_of_range. A double written to a
    // word token is converted with truncation, saturating at the ends of the
    // unsigned 32-bit range (NaN gives 0).
    void set(std::uint32_t token, double value);
    void set_word(std::uint32_t token, std::uint32_t word);

    // Reading an unknown token gives 0.
    double number(std::uint32_t token) const;
    std::uint32_t word(std::uint32_t token) const;

    // What the simulator writes into a variable record: the value at byte
    // 12, as a double or as a word in its first 32 bits.
    void fill(ModuleVariable& variable) const;

    void reset_to_parked();

private:
    std::array<double, token_limit> numbers_{};
    std::array<std::uint32_t, token_limit> words_{};
};

// A double converted to a whole number the way the host does it: truncated
// toward zero, saturating at the ends of the range, NaN giving 0.
std::int32_t saturate_to_i32(double value);
std::uint32_t saturate_to_u32(double value);

}  // namespace korvel::host
