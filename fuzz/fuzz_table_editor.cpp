#include "conversion/table_editor_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes give a text; the bytes saved for it read back as the same text, and saving that again writes the same
// bytes. A file already in the saved form (CR LF line ends, a final CR LF) is written back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = mx::tableEditorText(bytes);
    const QByteArray saved = mx::tableFileBytes(text);
    // Every character of the text came from one byte of the code page, so it can be stored again.
    if (saved.isNull() || !saved.endsWith("\r\n"))
        std::abort();
    if (mx::tableEditorText(saved) != text || mx::tableFileBytes(mx::tableEditorText(saved)) != saved)
        std::abort();
    const bool savedForm =
        bytes.endsWith("\r\n") && bytes.count('\r') == bytes.count("\r\n") && bytes.count('\n') == bytes.count("\r\n");
    if (savedForm && saved != bytes)
        std::abort();
    return 0;
}
