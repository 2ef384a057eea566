#include "search/preparedtext.h"

#include "text/nativepath.h"

bool PreparedText::holdsFor(const QString &path) const
{
    if (path != this->path)
        return false;
    if (snapshot || stillAtTurn)
        return true;
    thread_local NativePathBuffer native;
    const std::optional<FileIdentity> now = currentIdentity(native.encode(path));
    return now && *now == identity;
}
