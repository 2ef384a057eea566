#pragma once

#include "files/textloading.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <optional>
#include <string_view>

struct PreparedText;

// Lower-cases code unit by code unit with the simple Unicode mapping; the length never changes.
void lowerCaseUnits(QString &text);

// The simple mode of one search run: a case-sensitive substring test over UTF-16 code units.
// Every unit of a Windows-1252 text is the image of one byte, so the test runs on the bytes: a
// string with a unit that no byte gives cannot occur in any text. A text read as UTF-8 is
// searched as UTF-16 code units.
class SimpleScan
{
public:
    SimpleScan(QString suchstr, QString ausschlstr,
               SourceEncoding encoding = SourceEncoding::Windows1252);

    // True when the file qualifies. With ignoreCase the text and both strings are lower-cased;
    // the strings stay lower-cased for the rest of the run. Throws QvxError for an unreadable file.
    // The outcome worked out ahead, when given, stands for the work if it still holds: the same
    // file in the same state, searched with the strings and the case rule of this turn.
    bool qualifies(const QString &path, bool ignoreCase, const PreparedText *ahead = nullptr);

    // Whether the outcome worked out ahead stands for path at a turn with this case rule.
    bool aheadStands(const QString &path, bool ignoreCase, const PreparedText *ahead) const;
    // The outcome worked out ahead, taken for a turn with this case rule. Throws the QvxError
    // that the work met.
    bool takeAhead(const PreparedText &ahead, bool ignoreCase);

    // Loads end soon, with LoadCancelled, once cancelled is set.
    void setCancellation(const std::atomic<bool> *cancelled)
    {
        m_loader.setCancellation(cancelled);
    }

    // The loads from now on read in encoding.
    void setEncoding(SourceEncoding encoding) { m_loader.setEncoding(encoding); }
    const TextLoader &loader() const { return m_loader; }

    // The same for the file's text as loader loads it (a loader of another thread).
    bool qualifiesLoaded(TextLoader &loader, const QString &path, bool ignoreCase);

private:
    void encodeStrings();
    void lowerStrings();
    // A Windows-1252 text, already lower-cased when ignoreCase is set.
    bool qualifiesText(std::string_view text, bool ignoreCase);
    // A text read as UTF-8, which is lower-cased in place when ignoreCase is set.
    bool qualifiesUtf16(QString &text, bool ignoreCase);

    QString m_suchstr;
    QString m_ausschlstr;
    std::optional<QByteArray> m_suchBytes;
    std::optional<QByteArray> m_ausschlBytes;
    bool m_lowered = false;
    // Only strings with CR or LF can find what the line rule changes.
    bool m_lineBreaksMatter = false;
    TextLoader m_loader;
};
