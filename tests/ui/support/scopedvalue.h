#pragma once
#include <type_traits>
#include <utility>

namespace qm {

// Gives a variable a value for the rest of a scope and puts the old one back at its end, also
// when an ASSERT leaves the test early: for theApp.m_prompter and m_registry in tests that
// have no AppFixture.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& variable, std::type_identity_t<T> value)
        : m_variable(variable), m_old(std::exchange(variable, std::move(value))) {}
    ~ScopedValue() { m_variable = std::move(m_old); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_variable;
    T m_old;
};

}  // namespace qm
