#pragma once

#include "search/tform1.h"
#include "window/errorhandler.h"

// Included by the files that connect signals to handlers.
template <typename Body> void TForm1::handle(Body body) noexcept
{
    try {
        body();
    } catch (...) {
        showDefaultError(*m_dialogs, this, describeCurrentException());
    }
}
