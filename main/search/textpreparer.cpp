#include "search/textpreparer.h"

#include "errors/qvxerror.h"

#include <exception>
#include <utility>

TextPreparer::TextPreparer(const ScanRecipe &recipe, Terms terms)
    : m_terms(std::move(terms)), m_loader(recipe.encoding), m_scan(recipe)
{
    m_scan.setCancellation(m_terms.stopping);
    m_loader.setCancellation(m_terms.stopping);
    if (m_terms.snapshot)
        m_loader.holdDirectories();
    // The size the file has when opened decides, which spares a look at it beforehand.
    m_loader.setOpenedHook([this](qint64 size) {
        if (size <= m_terms.largest)
            return;
        if (!m_terms.gate || !m_terms.gate->enter())
            throw LoadCancelled();
        m_holdsLargeText = true;
    });
}

bool TextPreparer::prepare(const QString &path, SourceEncoding encoding, PreparedText &out)
{
    out.path = path;
    m_loader.setEncoding(encoding);
    const bool usable = prepareText(path, out);
    if (m_holdsLargeText) {
        m_holdsLargeText = false;
        m_loader.releaseLargeBuffers(m_terms.largest);
        m_terms.gate->leave();
    }
    return usable && !m_terms.stopping->load();
}

bool TextPreparer::prepareText(const QString &path, PreparedText &out)
{
    out.failed = false;
    out.failure.clear();
    out.read = false;
    out.snapshot = m_terms.snapshot;
    out.stillAtTurn = false;
    if (m_terms.eventPoints)
        out.eventPointsBefore = m_terms.eventPoints->passed();
    const qint64 readStart = m_terms.snapshot ? 0 : fileClockNs();
    try {
        m_scan.prepare(m_loader, path, out);
    } catch (const LoadCancelled &) {
        return false;
    } catch (const QvxError &error) {
        // In a snapshot the failure is the text's outcome; otherwise the run reads the file
        // again at its turn and reports what it meets there.
        out.failed = true;
        out.failure = error.message();
        return m_terms.snapshot;
    } catch (const std::exception &) {
        // Memory that ran out is met again at the text's turn, on the run's own thread.
        return false;
    }
    out.identity = m_loader.identity();
    out.read = true;
    return m_terms.snapshot || settledBefore(out.identity, readStart);
}
