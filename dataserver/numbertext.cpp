#include "dataserver/numbertext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

std::string FormatGeneralNumber(double value) {
  if (std::isnan(value))
    return "NAN";
  if (std::isinf(value))
    return value > 0 ? "INF" : "-INF";
  if (value == 0)
    return "0";

  // "%.14e" rounds to 15 significant digits and is not affected by the locale's digit grouping;
  // the digits and the exponent are taken from it and laid out again below.
  char scientific[64];
  std::snprintf(scientific, sizeof scientific, "%.*e", kSignificantDigits - 1, std::fabs(value));
  std::string digits;
  const char* p = scientific;
  for (; *p != '\0' && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9')
      digits += *p;
  }
  int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent >= kSignificantDigits || exponent < -5) {
    text.push_back(digits[0]);
    if (digits.size() > 1)
      text.append(".").append(digits, 1);
    text.append("E").append(std::to_string(exponent));
    return text;
  }
  if (exponent < 0) {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    return text;
  }
  const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integerDigits) {
    text.append(digits).append(integerDigits - digits.size(), '0');
  } else {
    text.append(digits, 0, integerDigits).append(".").append(digits, integerDigits);
  }
  return text;
}
