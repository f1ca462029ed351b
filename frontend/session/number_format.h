// Number formats of the screens and the report.
//
// FormatPattern fills a pattern of up to two sections, "positive;negative". The section that applies
// is copied with the digits of the absolute value filled in, so the sign comes only from the
// section's own characters (a pattern without a negative section puts "-" before negative values).
// In a section: "0" a required digit, "#" an optional digit, "." the decimal point, "E+00" / "E-00"
// an exponent with at least as many digits as zeros (E+ always shows its sign), "%" multiplies by
// 100 and stays in place; any other character is copied. Optional decimals that are zero are
// dropped, and the point stays when every decimal was optional and zero ("#0.##" of 5 is "5.").
// Values are taken at their shortest decimal form as 32-bit floats and rounded half away from zero.
#ifndef FRONTEND_SESSION_NUMBER_FORMAT_H
#define FRONTEND_SESSION_NUMBER_FORMAT_H

#include <QString>
#include <string_view>

namespace frontend {

QString FormatPattern(float value, std::string_view pattern);

QString FormatE2(float v);
QString FormatE3(float v);
QString FormatFixOrE2(float v);
QString FormatFix2OrE2(float v);
QString FormatFix4OrE(float v);
QString FormatCell(float v);
QString FormatParam(float v);

} // namespace frontend

#endif
