#pragma once

#include "window/errorhandler.h"
#include "window/tform1.h"

// Included by the files that connect signals to handlers.
template <typename Body> void TForm1::handle(Body body) noexcept
{
    try {
        body();
    } catch (...) {
        showDefaultError(*m_dialogs, this, describeCurrentException());
    }
}
