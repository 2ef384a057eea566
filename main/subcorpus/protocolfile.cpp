#include "subcorpus/protocolfile.h"

#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "files/targetpath.h"
#include "files/textloading.h"
#include "files/wholefile.h"
#include "files/writetarget.h"
#include "subcorpus/protocoljson.h"
#include "text/nativepath.h"

std::optional<Failure> writeProtocolFile(const QString &directory,
                                         const SubcorpusProtocol &protocol)
{
    const QString path = pathInTarget(directory, protocolFileName);
    const QByteArray bytes = protocolJson(protocol);
    WholeFile file(path);
    std::optional<Failure> failure = file.open();
    if (!failure)
        failure = writeAll(file.descriptor(), bytes.constData(), bytes.size());
    if (!failure)
        failure = file.commitNew();
    if (failure)
        failure->reason = fileNotWrittenMessage(shownPath(path), failure->reason);
    return failure;
}

SubcorpusProtocol readProtocolFile(const QString &path)
{
    QByteArray bytes;
    readWholeFile(path, bytes);
    try {
        return protocolFromJson(bytes);
    } catch (const QvxError &error) {
        throw QvxError(QStringLiteral("%1: %2").arg(shownPath(path), error.message()));
    }
}
