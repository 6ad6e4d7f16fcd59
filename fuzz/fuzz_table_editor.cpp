#include "conversion/table_editor_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes give a text; the bytes saved for it, in the encoding it was read in, read back as the same text in the
// same encoding, and saving that again writes the same bytes. A file already in the saved form (CR LF line ends, a
// final CR LF) is written back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    mx::TextEncoding encoding = mx::TextEncoding::Cp1252;
    const QString text = mx::tableEditorText(bytes, &encoding);
    const QByteArray saved = mx::tableFileBytes(text, nullptr, encoding);
    // Every character of the text came from the file in that encoding, so it can be stored again.
    if (saved.isNull() || !saved.endsWith("\r\n"))
        std::abort();
    mx::TextEncoding again = mx::TextEncoding::Cp1252;
    if (mx::tableEditorText(saved, &again) != text || again != encoding ||
        mx::tableFileBytes(mx::tableEditorText(saved), nullptr, encoding) != saved)
        std::abort();
    const bool savedForm =
        bytes.endsWith("\r\n") && bytes.count('\r') == bytes.count("\r\n") && bytes.count('\n') == bytes.count("\r\n");
    if (savedForm && saved != bytes)
        std::abort();
    return 0;
}
