#pragma once

#include <QString>

#include <utility>
#include <variant>

// Why a filing step has no value: the step's code (the numbers its callers
// have always been given), what the user is told of the cause (the network's
// own words where the network failed), and whether the request may have
// reached the agency although no usable answer came back.
struct FilingFailure
{
    int code = 0;
    QString message;
    bool outcomeUnknown = false;
};

// A step's value, or why there is none. It runs from the exchange up to the
// road, so the cause of a failure is carried, not turned into a number on
// the way; the numbers remain for the callers that were given them (code()).
template <class T>
class Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(FilingFailure failure) : m_state(std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(m_state); }
    T& value() { return std::get<0>(m_state); }
    // Only when not ok().
    const FilingFailure& failure() const { return std::get<1>(m_state); }
    // 0 with a value, else the failure's code.
    int code() const { return ok() ? 0 : failure().code; }

private:
    std::variant<T, FilingFailure> m_state;
};
