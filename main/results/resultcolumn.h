#pragma once

// The columns of the result list, in the order in which the search fills a row.
namespace ResultColumn {
enum : int
{
    File,
    F,
    Percent,
    FB,
    G,
    Count
};
} // namespace ResultColumn
