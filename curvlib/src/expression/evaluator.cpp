#include "expression/evaluator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "curvlib/curvlib.h"
#include "expression/tokenizer.h"

namespace curvlib {
namespace {

using Op = PostfixProgram::Op;

int16_t squareRootSwitch = 0;

constexpr double kPi = std::numbers::pi;
constexpr double kE = std::numbers::e;

// Only so many characters of a number are read.
constexpr std::size_t kNumberDigitsRead = 15;
// Integer powers are formed by repeated multiplication up to this exponent, beyond it by pow
// (the same value to within rounding, without a loop of up to 1e308 steps).
constexpr double kRepeatedMultiplicationLimit = 1024;
// How much of a bad number its message quotes.
constexpr std::size_t kBadNumberQuoted = 30;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number is one or more digits with at most one point among them: 12, 1.5, .5, 5.
bool isNumber(std::string_view run) {
    int digits = 0, points = 0;
    for (char c : run) {
        if (isDigit(c))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

double readNumber(std::string_view run) {
    const auto read = run.substr(0, kNumberDigitsRead);
    double value = 0;
    std::from_chars(read.data(), read.data() + read.size(), value, std::chars_format::fixed);
    return value;
}

// The one-character tokens of a postfix text other than numbers and parameter codes.
struct TokenOp {
    char token;
    Op op;
};
constexpr std::array<TokenOp, 26> kTokenOps = {{
    {'z', Op::Variable}, {'P', Op::Pi},     {'e', Op::E},     {'+', Op::Add},    {'-', Op::Subtract},
    {'*', Op::Multiply}, {'/', Op::Divide}, {'^', Op::Power}, {'_', Op::Negate}, {'A', Op::Abs},
    {'E', Op::Exp},      {'L', Op::Ln},     {'@', Op::Log10}, {'R', Op::Sqrt},   {'S', Op::Sin},
    {'C', Op::Cos},      {'T', Op::Tan},    {'D', Op::Asin},  {'G', Op::Acos},   {'J', Op::Atan},
    {'K', Op::Sinh},     {'M', Op::Cosh},   {'O', Op::Tanh},  {'N', Op::Asinh},  {'V', Op::Acosh},
    {'B', Op::Atanh},
}};

Op operatorOf(char c) {
    for (const auto& [token, op] : kTokenOps)
        if (token == c) return op;
    return Op::UnknownCharacter;
}

std::string unknownCharacterMessage(unsigned char c) {
    if (c >= 127)
        return "Ascii character 127 + " + std::string(1, static_cast<char>(c - 127)) +
               "not found in RPNString";
    return "Character " + std::string(1, static_cast<char>(c)) + "not found in RPNString";
}

double integerPower(double base, double exponent) {
    const double magnitude = std::fabs(exponent);
    if (magnitude > kRepeatedMultiplicationLimit) return std::pow(base, exponent);
    double result = 1;
    for (int n = 0; n < static_cast<int>(magnitude); ++n)
        result *= base;
    return exponent < 0 ? 1 / result : result;
}

} // namespace

double ARCSINH(double v) {
    return std::log(v + std::sqrt(v * v + 1));
}
double ARCCOSH(double v) {
    return std::log(v + std::sqrt(v * v - 1));
}
double ARCTANH(double v) {
    return std::log((1 + v) / (1 - v)) / 2;
}

void MAPROOT(int16_t& value, int16_t mode) {
    if (mode == 0)
        squareRootSwitch = value == 1 ? 1 : 0;
    else if (mode == 1)
        value = squareRootSwitch;
}

PostfixProgram compilePostfix(std::string_view postfix, int16_t nparm) {
    PostfixProgram program;
    const std::size_t length = trimmedLength(postfix);
    const int parameters = std::clamp<int>(nparm, 0, kMaxUserParameters);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = postfix[i];
        const auto code = static_cast<unsigned char>(c);
        if (isNumberCharacter(c)) {
            // A number runs to the next blank, which is then skipped.
            const auto end = std::min(postfix.find(' ', i), postfix.size());
            const auto run = postfix.substr(i, end - i);
            if (isNumber(run)) {
                program.code.push_back({.op = Op::Number, .number = readNumber(run)});
            } else {
                program.code.push_back(
                    {.op = Op::BadNumber, .index = static_cast<int>(program.badNumbers.size())});
                program.badNumbers.emplace_back(run.substr(0, kBadNumberQuoted));
            }
            i = end;
        } else if (code > parameterCode(0) && code <= parameterCode(parameters)) {
            program.code.push_back({.op = Op::Parameter, .index = code - parameterCode(1)});
        } else {
            const Op op = operatorOf(c);
            program.code.push_back({.op = op, .character = op == Op::UnknownCharacter ? code : uint8_t{0}});
        }
    }
    return program;
}

void runPostfix(const PostfixProgram& program, const float* a, float z, std::string& message, int16_t& error,
                double& value) {
    const double x = z;
    ValueStack stack;
    bool popFailed = false;
    const auto fail = [&](std::string why) {
        error = 1;
        message = std::move(why);
    };
    // Each instruction works out v from its operands, popped in the order right, left; a
    // named failure ends the evaluation at once.
    for (const auto& instruction : program.code) {
        double v = 0, r = 0, l = 0, u = 0;
        if (instruction.op >= Op::Add) {
            if (instruction.op <= Op::Power) {
                r = POP(stack, popFailed);
                l = POP(stack, popFailed);
            } else {
                u = POP(stack, popFailed);
            }
            if (popFailed) return fail("ErrorFlag in FuncP set; probable pop error");
        }

        switch (instruction.op) {
        case Op::Number:
            v = instruction.number;
            break;
        case Op::Variable:
            v = x;
            break;
        case Op::Parameter:
            v = a[instruction.index];
            break;
        case Op::Pi:
            v = kPi;
            break;
        case Op::E:
            v = kE;
            break;
        case Op::UnknownCharacter:
            // Reported, and the value of the previous token, which is on top, is pushed again.
            fail(unknownCharacterMessage(instruction.character));
            v = stack.count > 0 ? stack.values[stack.count - 1] : 0;
            break;
        case Op::BadNumber:
            return fail("Number " + program.badNumbers[instruction.index] + " cannot be read in Funcp");
        case Op::Add:
            v = l + r;
            break;
        case Op::Subtract:
            v = l - r;
            break;
        case Op::Multiply:
            v = l * r;
            break;
        case Op::Divide:
            if (r == 0) return fail("attempted divide by zero in Funcp");
            v = l / r;
            break;
        case Op::Power:
            if (r == std::trunc(r))
                v = integerPower(l, r);
            else if (l < 0)
                return fail("can't take neg. number to a real exponent in Funcp");
            else if (l == 0 && r < 0)
                return fail("can't take 0 to a negative power in Funcp");
            else
                v = std::pow(l, r);
            break;
        case Op::Negate:
            v = -u;
            break;
        case Op::Abs:
            v = std::fabs(u);
            break;
        case Op::Exp:
            v = std::exp(u);
            break;
        case Op::Ln:
            if (u <= 0) return fail("can't take log of 0 or negative number in Funcp");
            v = std::log(u);
            break;
        case Op::Log10:
            if (u <= 0) return fail("can't take log of 0 or negative number in Funcp");
            v = std::log10(u);
            break;
        case Op::Sqrt:
            if (u < 0 && squareRootSwitch != 1) return fail("can't take square root of neg number in Funcp");
            v = u < 0 ? 0 : std::sqrt(u);
            break;
        case Op::Sin:
            v = std::sin(u);
            break;
        case Op::Cos:
            v = std::cos(u);
            break;
        case Op::Tan:
            if (std::cos(u) == 0) return fail("infinite tangent value in Funcp");
            v = std::tan(u);
            break;
        case Op::Asin:
            v = std::asin(u);
            break;
        case Op::Acos:
            v = std::acos(u);
            break;
        case Op::Atan:
            v = std::atan(u);
            break;
        case Op::Sinh:
            v = std::sinh(u);
            break;
        case Op::Cosh:
            v = std::cosh(u);
            break;
        case Op::Tanh:
            v = std::tanh(u);
            break;
        case Op::Asinh:
            v = ARCSINH(u);
            break;
        case Op::Acosh:
            if (u <= 1) return fail("can't take ArcCosh of value <= 1");
            v = ARCCOSH(u);
            break;
        case Op::Atanh:
            if (std::fabs(u) >= 1) return fail("can't take ArcTanh of value >= 1 or <= -1");
            v = ARCTANH(u);
            break;
        }
        PUSH(v, stack);
    }
    if (stack.count == 1) {
        value = stack.values[0];
    } else {
        fail("ErrorFlag True in FuncP, no function calculated");
        value = 0.0;
    }
}

void FUNCP(const float* a, int16_t /*np*/, float z, std::string_view postfix, int16_t nparm,
           std::string& message, int16_t& error, double& value) {
    runPostfix(compilePostfix(postfix, nparm), a, z, message, error, value);
}

} // namespace curvlib

extern "C" CURVLIB_API void maprootbuf(const int16_t* flag) {
    int16_t value = *flag;
    curvlib::MAPROOT(value, 0);
}
