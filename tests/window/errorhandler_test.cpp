#include "errors/qvxerror.h"
#include "scripteddialogs.h"
#include "window/errorhandler.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

TEST(ErrorHandler, AppendsFullStopOnlyAfterCharactersAboveFullStop)
{
    EXPECT_EQ(withFullStop(QStringLiteral("abc")), QStringLiteral("abc."));
    EXPECT_EQ(withFullStop(QStringLiteral("Ende.")), QStringLiteral("Ende."));
    EXPECT_EQ(withFullStop(QStringLiteral("(Klammer)")), QStringLiteral("(Klammer)"));
    EXPECT_EQ(withFullStop(QStringLiteral("Leerzeichen ")), QStringLiteral("Leerzeichen "));
    EXPECT_EQ(withFullStop(QStringLiteral("Strich-")), QStringLiteral("Strich-"));
    EXPECT_EQ(withFullStop(QStringLiteral("Pfad/")), QStringLiteral("Pfad/."));
    EXPECT_EQ(withFullStop(QStringLiteral("Umlaut Ä")), QStringLiteral("Umlaut Ä."));
    EXPECT_EQ(withFullStop(QStringLiteral("'1.5' ist kein gültiger Gleitkommawert")),
              QStringLiteral("'1.5' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(withFullStop(QString()), QString());
}

TEST(ErrorHandler, ShowsTheTextWithStopIconApplicationTitleAndOk)
{
    ScriptedDialogs dialogs;
    showDefaultError(dialogs, nullptr, QStringLiteral("Datei x kann nicht geöffnet werden"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const MessageRequest &box = dialogs.shown().front();
    EXPECT_EQ(box.caption, QCoreApplication::applicationName());
    EXPECT_EQ(box.text, QStringLiteral("Datei x kann nicht geöffnet werden."));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
}

namespace {

template <typename Exception> QString describe(Exception exception)
{
    try {
        throw exception;
    } catch (...) {
        return describeCurrentException();
    }
}

} // namespace

TEST(ErrorHandler, DescribesEveryKindOfExceptionInGerman)
{
    EXPECT_EQ(describe(QvxError(QStringLiteral("Fehler in regulärem Ausdruck"))),
              QStringLiteral("Fehler in regulärem Ausdruck"));
    EXPECT_EQ(describe(std::bad_alloc()), QStringLiteral("Zu wenig Arbeitsspeicher"));
    EXPECT_EQ(describe(std::runtime_error("boom")), QStringLiteral("Interner Fehler: boom"));
    EXPECT_EQ(describe(42), QStringLiteral("Unbekannter interner Fehler"));
}
