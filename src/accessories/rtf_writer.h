#pragma once

#include "accessories/rtf_model.h"

#include <QByteArray>

// Writes the model as RTF that word processors open with the same text and formatting: an \ansi\ansicpg1252
// header, a font table of the families used, a colour table of the colours used (text and highlight, entry 0
// automatic), and a body that states only the formatting that changes; raised and lowered text is a group of its
// own. Characters outside Windows-1252 are written as \uN\'3f (UTF-16 code units); in the Symbol and Wingdings
// fonts every character is written so, with the font's byte as the fallback. Every paragraph ends with \par,
// lines end with CR LF. readRtfModel() gives the same model back.
namespace mx {

QByteArray writeRtfModel(const RtfDocument& document);

} // namespace mx
