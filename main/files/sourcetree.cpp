#include "files/sourcetree.h"

#include "errors/qvxerror.h"
#include "files/sourcelisting.h"

#include <vector>

bool walkSourceTree(const QString &directory, const SourceTreeVisit &visit,
                    const SourceTreeError &onError)
{
    // A stack of its own instead of recursion: the depth of a tree is the file system's to
    // choose.
    std::vector<QString> pending{directory};
    while (!pending.empty()) {
        const QString current = pending.back();
        pending.pop_back();
        QStringList names;
        QStringList subdirectories;
        try {
            names = listSourceTexts(current);
            subdirectories = sourcePaths(current, listSubdirectories(current));
        } catch (const QvxError &error) {
            if (!onError)
                throw;
            onError(error.message());
            continue;
        }
        if (!visit(current, names))
            return false;
        // The first subdirectory on top, so that it is entered first.
        for (auto sub = subdirectories.crbegin(); sub != subdirectories.crend(); ++sub)
            pending.push_back(*sub);
    }
    return true;
}
