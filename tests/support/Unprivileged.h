#pragma once

#include <functional>
#include <string>

namespace testsupport {

// Runs `check` as an ordinary user: directly when the tests already run as one, in a forked
// child that gave up root (user and group "nobody") otherwise, since root opens and writes
// anything and would hide the refusal under test. `check` returns what went wrong, or an
// empty string.
std::string asOrdinaryUser(const std::function<std::string()>& check);

}  // namespace testsupport
