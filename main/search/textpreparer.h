#pragma once

#include "files/textloading.h"
#include "search/eventpoints.h"
#include "search/preparedtext.h"
#include "search/scanrecipe.h"
#include "search/textscan.h"

#include <atomic>
#include <memory>

// Works out texts ahead of their turns on the calling thread, with a loader, patterns and match
// data of its own: the work of one read-ahead thread.
class TextPreparer
{
public:
    // Lets one thread at a time hold a text larger than largest; null leaves such texts to the
    // run.
    class LargeTextGate
    {
    public:
        // false when the run stops meanwhile.
        virtual bool enter() = 0;
        virtual void leave() = 0;

    protected:
        ~LargeTextGate() = default;
    };

    struct Terms
    {
        // Set when the run stops: the work in hand ends soon and counts for nothing.
        const std::atomic<bool> *stopping = nullptr;
        // Outcomes stand as they were worked out (see ReadAhead::Validity::Snapshot).
        bool snapshot = false;
        std::shared_ptr<const EventPoints> eventPoints;
        LargeTextGate *gate = nullptr;
        qsizetype largest = 0;
    };

    TextPreparer(const ScanRecipe &recipe, Terms terms);

    // Whether out now holds an outcome that the run may use.
    bool prepare(const QString &path, SourceEncoding encoding, PreparedText &out);

private:
    bool prepareText(const QString &path, PreparedText &out);

    const Terms m_terms;
    TextLoader m_loader;
    TextScan m_scan;
    bool m_holdsLargeText = false;
};
