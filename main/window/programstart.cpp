#include "window/programstart.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#ifdef __GLIBC__
#include <malloc.h>
#endif

bool installGermanTranslations(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void mergeFreedMemoryAtOnce()
{
#ifdef __GLIBC__
    mallopt(M_MXFAST, 0);
#endif
}
