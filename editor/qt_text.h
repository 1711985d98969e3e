#pragma once
// Conversions between the program's text type and Qt's.

#include <QString>
#include <string>

#include "foundation/corv_string.h"
#include "foundation/text_encoding.h"

inline QString ToQString(const corvString& text) {
    return QString::fromUtf16(text.View().data(), static_cast<qsizetype>(text.View().size()));
}

inline corvString FromQString(const QString& text) {
    return corvString(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

// LDF file bytes (Windows-1252, CR LF) as text for a text view.
inline QString DecodedLdfText(const std::string& bytes) {
    const std::u16string text = tabrel::DecodeCodePage(bytes);
    return QString::fromStdU16String(text).remove('\r');
}
