#include "window/errorhandler.h"

#include "errors/qvxerror.h"
#include "window/dialogs.h"

#include <QCoreApplication>
#include <exception>
#include <new>

void showDefaultError(Dialogs &dialogs, QWidget *parent, const QString &text)
{
    MessageRequest request{QCoreApplication::applicationName(),
                           withFullStop(text),
                           MessageIcon::Error,
                           {QStringLiteral("OK")}};
    dialogs.message(parent, request);
}

QString describeCurrentException()
{
    try {
        throw;
    } catch (const QvxError &error) {
        return error.message();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Zu wenig Arbeitsspeicher");
    } catch (const std::exception &error) {
        return QStringLiteral("Interner Fehler: %1").arg(QString::fromUtf8(error.what()));
    } catch (...) {
        return QStringLiteral("Unbekannter interner Fehler");
    }
}
