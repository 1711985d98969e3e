#pragma once
// Conversions between the program's text type and Qt's.

#include <QString>
#include <QStringList>
#include <string>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"
#include "foundation/text_encoding.h"

inline QString ToQString(const corvString& text) {
    return QString::fromUtf16(text.View().data(), static_cast<qsizetype>(text.View().size()));
}

inline corvString FromQString(const QString& text) {
    return corvString(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

inline QStringList ToQStrings(const corvStringArray& texts) {
    QStringList converted;
    converted.reserve(texts.Count());
    for (int i = 0; i < texts.Count(); ++i) converted << ToQString(texts.Item(i));
    return converted;
}

inline corvStringArray FromQStrings(const QStringList& texts) {
    corvStringArray converted;
    for (const QString& text : texts) converted.Add(FromQString(text));
    return converted;
}

// LDF file bytes (Windows-1252, CR LF) as text for a text view.
inline QString DecodedLdfText(const std::string& bytes) {
    const std::u16string text = tabrel::DecodeCodePage(bytes);
    return QString::fromStdU16String(text).remove('\r');
}
