#include "window/fonts.h"
#include "window/programstart.h"
#include "window/tform1.h"

#include <QApplication>
#include <QIcon>

namespace {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/qvx-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    mergeFreedMemoryAtOnce();
    QApplication app(argc, argv);
    installGermanTranslations(app);
    registerFallbackFonts();
    useWindowFontThroughout();
    QApplication::setWindowIcon(programIcon());
    // Lets Wayland compositors match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QVX_APP_ID));
    TForm1 form;
    form.show();
    return QApplication::exec();
}
