#pragma once
// The program's one formatter for message patterns ("Error in Channel #%.2d!! ..."). Patterns come
// from the text table and language files, so they are never handed to printf: every specifier is
// checked against its argument, and one that does not fit stays in the text as written.
//
// Specifiers: %[index:][-][width][.precision]type with type d, u, x, X, s, f, e, g, n, and "%%".
// width and precision may be "*" (taken from the next integer argument).
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace platform {

struct FormatArg {
    FormatArg(int v) : value(qlonglong(v)) {}
    FormatArg(qlonglong v) : value(v) {}
    FormatArg(unsigned v) : value(qlonglong(v)) {}
    FormatArg(double v) : value(v) {}
    FormatArg(const QString &v) : value(v) {}
    FormatArg(const char *v) : value(QString::fromUtf8(v)) {}
    QVariant value;
};

QString formatText(const QString &pattern, const std::vector<FormatArg> &args);
// The same, for callers that keep their own text when a pattern does not fit: false (result
// untouched) when any specifier does not fit its argument or is cut off.
bool tryFormatText(const QString &pattern, const std::vector<FormatArg> &args, QString &result);

// A pattern that does not fit its arguments where the caller cannot go on without the text.
class EFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// The same, raising EFormatError ("Format '...' invalid or incompatible with argument") on a misfit.
QString checkedFormatText(const QString &pattern, const std::vector<FormatArg> &args);
inline QString formatText(const QString &pattern, std::initializer_list<FormatArg> args)
{
    return formatText(pattern, std::vector<FormatArg>(args));
}

} // namespace platform
