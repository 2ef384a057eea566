#include "search/preparedtext.h"

#include "search/nativepath.h"

bool PreparedText::holdsFor(const QString &path) const
{
    if (path != this->path)
        return false;
    const std::optional<FileIdentity> now = currentIdentity(nativePath(path).constData());
    return now && *now == identity;
}
