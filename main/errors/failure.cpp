#include "errors/failure.h"

#include <cerrno>

bool Failure::diskFull() const
{
    return errorNumber == ENOSPC || errorNumber == EDQUOT;
}
