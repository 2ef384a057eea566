#pragma once

#include <QtGlobal>

// Tells, from the bytes of a text that arrive in pieces, whether the text is well-formed UTF-8
// (by the rules of decodeUtf8Text: no stray continuation byte, no cut or overlong sequence, no
// encoded surrogate, nothing beyond U+10FFFF) with at least one sequence of two to four bytes. A
// text of ASCII alone reads the same in every encoding, so it does not count as UTF-8. A
// byte-order mark is such a sequence.
class Utf8Check
{
public:
    // Looks at the next size bytes of the text. Once the text cannot be UTF-8 any more, the bytes
    // are no longer looked at, so a text that breaks the form early costs next to nothing.
    void add(const char *data, qsizetype size);

    // Whether the bytes so far may still begin such a text.
    bool possible() const { return m_wellFormed; }
    // Whether the bytes so far, taken as the whole text, are such a text.
    bool isMultiByteUtf8() const { return m_wellFormed && m_pendingSize == 0 && m_multiByte; }

private:
    // Takes the bytes that complete a sequence begun in an earlier piece; returns how many.
    qsizetype completePending(const unsigned char *data, qsizetype size);
    void checkSequence(const unsigned char *sequence, int length);

    bool m_wellFormed = true;
    bool m_multiByte = false;
    // A sequence cut by the end of a piece, waiting for the rest of its bytes.
    unsigned char m_pending[4] = {};
    int m_pendingSize = 0;
};
