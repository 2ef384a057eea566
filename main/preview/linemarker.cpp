#include "preview/linemarker.h"

#include "files/textloading.h"
#include "text/codepage.h"
#include "text/utf8decoding.h"

#include <QByteArray>
#include <algorithm>

namespace {

// Writes the marker's characters at out and returns the end.
template <typename Unit, typename Marker> Unit *putMarker(Unit *out, const Marker &marker)
{
    return std::copy(marker.begin(), marker.end(), out);
}

// The size of the UTF-8 bytes without a sequence that their end cuts short.
qsizetype withoutCutSequence(const QByteArray &utf8)
{
    qsizetype lead = utf8.size();
    int continuations = 0;
    while (lead > 0 && continuations < 3 &&
           (static_cast<unsigned char>(utf8[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuations;
    }
    if (lead == 0)
        return utf8.size();
    const auto first = static_cast<unsigned char>(utf8[lead - 1]);
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return length > continuations + 1 ? lead - 1 : utf8.size();
}

// The text of a file kept in UTF-8 as the preview's line.
PreviewLine markUtf8LineBreaks(const QByteArray &raw, bool cut)
{
    PreviewLine result;
    decodeUtf8Text(raw.constData(), cut ? withoutCutSequence(raw) : raw.size(), result.line);
    result.line.replace(QStringLiteral("\r\n"), lineBreakMarker());
    result.subject = result.line.toStdString() + "\r\n";
    result.cut = cut;
    return result;
}

} // namespace

PreviewLine markLineBreaks(const QByteArray &text)
{
    // One forward pass writes the line and the subject into room for the longest results (every
    // CR a line break), so that no text of many megabytes is copied or grown a second time.
    const QString marker = lineBreakMarker();
    const QByteArray utf8Marker = marker.toUtf8();
    const cp1252::Utf8Form *const forms = cp1252::utf8Forms();
    const qsizetype crs = text.count('\r');
    qsizetype utf8Size = text.size() + crs * (utf8Marker.size() - 2) + 2;
    for (const char byte : text)
        utf8Size += forms[static_cast<unsigned char>(byte)].length - 1;

    PreviewLine result;
    result.line.resize(text.size() + crs * (marker.size() - 2));
    result.subject.resize(static_cast<size_t>(utf8Size));
    QChar *const lineBegin = result.line.data();
    QChar *line = lineBegin;
    char *const subjectBegin = result.subject.data();
    char *subject = subjectBegin;

    const char *data = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        // A CR without LF is no line break; it stays a character of the line.
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') {
            line = putMarker(line, marker);
            subject = putMarker(subject, utf8Marker);
            ++i;
            continue;
        }
        const auto byte = static_cast<unsigned char>(data[i]);
        *line++ = cp1252::toUnicode(byte);
        if (byte < 0x80) {
            *subject++ = static_cast<char>(byte);
        } else {
            const cp1252::Utf8Form &form = forms[byte];
            subject = std::copy_n(form.bytes.begin(), form.length, subject);
        }
    }
    *subject++ = '\r';
    *subject++ = '\n';
    result.line.truncate(line - lineBegin);
    result.subject.resize(static_cast<size_t>(subject - subjectBegin));
    return result;
}

PreviewLine loadPreviewLine(const QString &path, SourceEncoding encoding)
{
    QByteArray raw;
    const bool cut = readFileStart(path, raw, previewTextLimit);
    if (readsAsUtf8(path, raw, cut, encoding))
        return markUtf8LineBreaks(raw, cut);
    QByteArray text;
    normalizeLineBreaks(raw.constData(), raw.size(), text);
    raw.clear();
    PreviewLine line = markLineBreaks(text);
    line.cut = cut;
    return line;
}
