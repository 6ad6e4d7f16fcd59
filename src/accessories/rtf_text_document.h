#pragma once

#include "accessories/rtf_model.h"

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;

// RTF for QTextDocument, through the plain model: what the note editor shows (text, tabs, line breaks, font family
// and size, bold, italic, underline, strike-through, raised and lowered text, colour, highlight, paragraph
// alignment) is written and read back exactly.
// Other document content (images, tables as such, lists) is written as its text only.
namespace mx {

// The document's content as the model. Formatting the document leaves to its default font is stated with the
// default font's family and size, so a file read elsewhere shows what the editor showed.
RtfDocument rtfModelFromDocument(const QTextDocument& document);

// Replaces the content of `document` with the model's, as one edit that cannot be undone; the document is left
// unmodified. A model without paragraphs gives an empty document.
void fillDocumentFromRtfModel(QTextDocument& document, const RtfDocument& model);

QByteArray writeRtf(const QTextDocument& document);

// Replaces the content of `document` with the RTF's; the result tells what could not be read.
RtfIssues readRtf(QByteArrayView bytes, QTextDocument& document);

} // namespace mx
