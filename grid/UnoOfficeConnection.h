// The UNO side of the office link, for the link itself and for code that checks what the office
// holds: the desktop of an office on a pipe, file URLs, hidden documents and the file formats.
#pragma once

#include "grid/OfficeAutomation.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <rtl/ustring.hxx>

namespace unooffice {

using rtl::OUString;

inline OUString toOU(const QString &s) { return OUString(reinterpret_cast<const sal_Unicode *>(s.utf16()), s.size()); }
inline QString fromOU(const OUString &s) { return QString(reinterpret_cast<const QChar *>(s.getStr()), s.getLength()); }

// The desktop of the office listening on PipeName; EOfficeError when none answers.
css::uno::Reference<css::frame::XDesktop2> ConnectDesktop(const QString &PipeName);
OUString FileUrl(const QString &Path);
// Loads a file (or "private:factory/..." URL) without showing it; EOfficeError when it cannot.
css::uno::Reference<css::lang::XComponent> LoadHidden(const css::uno::Reference<css::frame::XDesktop2> &Desktop,
                                                       const OUString &Url);
// The export filter for a file name's suffix; EOfficeError for a suffix the office cannot write.
OUString SpreadsheetFilter(const QString &FileName);
OUString TextFilter(const QString &FileName);
// Stores the document under FileName in the format its suffix names, replacing the file.
void StoreAs(const css::uno::Reference<css::lang::XComponent> &Document, const QString &FileName,
             const OUString &Filter, const OUString &FilterOptions = OUString());

} // namespace unooffice
