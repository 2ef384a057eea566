#include "subcorpus/protocoljson.h"

#include "errors/qvxerror.h"
#include "text/numberformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <limits>

namespace {

// Writing

void appendUnitEscape(QByteArray &out, char16_t unit)
{
    out += "\\u" + QByteArray::number(unit, 16).rightJustified(4, '0');
}

QByteArray jsonString(const QString &text)
{
    QByteArray out = "\"";
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += '\\';
            out += char(c.unicode());
        } else if (c.unicode() < 0x20) {
            appendUnitEscape(out, c.unicode());
        } else if (c.isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
            out += QStringView(text).mid(k, 2).toUtf8();
            ++k;
        } else if (c.isSurrogate()) {
            // UTF-8 has no form for a lone surrogate, the escape has.
            appendUnitEscape(out, c.unicode());
        } else {
            out += QStringView(text).mid(k, 1).toUtf8();
        }
    }
    return out + '"';
}

QByteArray jsonStrings(const QStringList &texts)
{
    QByteArrayList items;
    for (const QString &text : texts)
        items << jsonString(text);
    return '[' + items.join(", ") + ']';
}

// The shortest text that reads back as the same double: a factor or threshold read again gives
// the same G and the same rows.
QByteArray exactNumber(const std::optional<double> &value)
{
    if (!value || !std::isfinite(*value))
        return "null";
    return QByteArray::number(*value, 'g', QLocale::FloatingPointShortest);
}

QByteArray jsonBool(bool value)
{
    return value ? "true" : "false";
}

QByteArray member(const char *key, const QByteArray &value)
{
    return '"' + QByteArray(key) + "\": " + value;
}

// Members on lines of their own, indented by depth levels.
QByteArray jsonObject(const QByteArrayList &members, int depth)
{
    const QByteArray indent(2 * (depth + 1), ' ');
    return "{\n" + indent + members.join(",\n" + indent) + '\n' + QByteArray(2 * depth, ' ') + '}';
}

QByteArray searchObject(const SubcorpusProtocol &p)
{
    const std::optional<double> minF = p.minF ? std::optional<double>(*p.minF) : std::nullopt;
    return jsonObject(
        {member("mode", p.regex ? "\"regex\"" : "\"simple\""),
         member("pattern", jsonString(p.pattern)), member("ignore_case", jsonBool(p.ignoreCase)),
         member("exclude", jsonString(p.exclude)), member("weight", jsonString(p.weight)),
         member("fk", exactNumber(p.fK)), member("fbk", exactNumber(p.fBK)),
         member("min_f", exactNumber(minF)), member("min_percent", exactNumber(p.minPercent)),
         member("min_fb", exactNumber(p.minFB)),
         member("sort", p.sort.isEmpty() ? QByteArray("null") : jsonString(p.sort)),
         member("ascending", jsonBool(p.ascending))},
        1);
}

QByteArray textLine(const ProtocolText &text)
{
    return "{" + member("path", jsonString(text.path)) + ", " +
           member("f", QByteArray::number(text.f)) + ", " +
           member("percent", protocolNumber(text.percent)) + ", " +
           member("fb", QByteArray::number(text.fB)) + ", " + member("g", protocolNumber(text.g)) +
           "}";
}

QByteArray textsArray(const QList<ProtocolText> &texts)
{
    if (texts.isEmpty())
        return "[]";
    QByteArrayList lines;
    for (const ProtocolText &text : texts)
        lines << textLine(text);
    return "[\n    " + lines.join(",\n    ") + "\n  ]";
}

// With the offset from UTC, so that the time means one moment wherever it is read.
QString isoDate(const QDateTime &date)
{
    return date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODate);
}

// Reading

[[noreturn]] void malformed(const QString &key)
{
    throw QvxError(
        QStringLiteral("Im Protokoll fehlt „%1“ oder hat nicht die erwartete Form.").arg(key));
}

QJsonValue required(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        malformed(key);
    return value;
}

// null is what the record writes for "none".
bool absent(const QJsonValue &value)
{
    return value.isUndefined() || value.isNull();
}

QString text(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!absent(value) && !value.isString())
        malformed(key);
    return value.toString();
}

bool flag(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!value.isUndefined() && !value.isBool())
        malformed(key);
    return value.toBool();
}

std::optional<double> optionalNumber(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (absent(value))
        return std::nullopt;
    if (!value.isDouble())
        malformed(key);
    return value.toDouble();
}

qint32 integer(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = required(object, key);
    const double number = value.toDouble(0.5);
    if (!value.isDouble() || number != std::floor(number) ||
        std::abs(number) > std::numeric_limits<qint32>::max())
        malformed(key);
    return qint32(number);
}

// A % or G that was not finite was written as null.
double cellValue(const QJsonObject &object, const QString &key)
{
    return optionalNumber(object, key).value_or(std::numeric_limits<double>::quiet_NaN());
}

QStringList texts(const QJsonValue &value, const QString &key)
{
    if (!absent(value) && !value.isArray())
        malformed(key);
    QStringList list;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isString())
            malformed(key);
        list << item.toString();
    }
    return list;
}

void readSearch(const QJsonObject &search, SubcorpusProtocol &p)
{
    const QString mode = text(search, QStringLiteral("mode"));
    if (mode != QLatin1String("regex") && mode != QLatin1String("simple"))
        malformed(QStringLiteral("search.mode"));
    p.regex = mode == QLatin1String("regex");
    p.pattern = required(search, QStringLiteral("pattern")).toString();
    if (p.pattern.isEmpty())
        malformed(QStringLiteral("search.pattern"));
    p.ignoreCase = flag(search, QStringLiteral("ignore_case"));
    p.exclude = text(search, QStringLiteral("exclude"));
    p.weight = text(search, QStringLiteral("weight"));
    p.fK = optionalNumber(search, QStringLiteral("fk"));
    p.fBK = optionalNumber(search, QStringLiteral("fbk"));
    if (const auto minF = optionalNumber(search, QStringLiteral("min_f")))
        p.minF = qint32(*minF);
    p.minPercent = optionalNumber(search, QStringLiteral("min_percent"));
    p.minFB = optionalNumber(search, QStringLiteral("min_fb"));
    p.sort = text(search, QStringLiteral("sort"));
    p.ascending = flag(search, QStringLiteral("ascending"));
}

ProtocolText readText(const QJsonValue &value)
{
    if (!value.isObject())
        malformed(QStringLiteral("texts"));
    const QJsonObject object = value.toObject();
    ProtocolText t;
    t.path = required(object, QStringLiteral("path")).toString();
    t.f = integer(object, QStringLiteral("f"));
    t.percent = cellValue(object, QStringLiteral("percent"));
    t.fB = integer(object, QStringLiteral("fb"));
    t.g = cellValue(object, QStringLiteral("g"));
    return t;
}

} // namespace

QByteArray protocolNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    // The general number format with a point is a JSON number: "0.5", "5E-5", "1E15".
    return formatGeneral(value, QLatin1Char('.')).toLatin1();
}

QByteArray protocolJson(const SubcorpusProtocol &p)
{
    const QByteArray command = p.command.isEmpty() ? QByteArray("null") : jsonStrings(p.command);
    const QByteArrayList members{
        member("program", jsonString(p.program)),     member("version", jsonString(p.version)),
        member("date", jsonString(isoDate(p.date))),  member("command", command),
        member("directory", jsonString(p.directory)), member("search", searchObject(p)),
        member("sources", jsonStrings(p.sources)),    member("recursive", jsonBool(p.recursive)),
        member("globs", jsonStrings(p.globs)),        member("encoding", jsonString(p.encoding)),
        member("texts", textsArray(p.texts))};
    return jsonObject(members, 0) + '\n';
}

SubcorpusProtocol protocolFromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw QvxError(QStringLiteral("Das Protokoll ist kein gültiges JSON (Fehler bei Byte %1)")
                           .arg(error.offset));
    if (!document.isObject())
        malformed(QStringLiteral("search"));
    const QJsonObject root = document.object();
    SubcorpusProtocol p;
    p.program = text(root, QStringLiteral("program"));
    p.version = text(root, QStringLiteral("version"));
    p.date = QDateTime::fromString(text(root, QStringLiteral("date")), Qt::ISODate);
    p.command = texts(root.value(QStringLiteral("command")), QStringLiteral("command"));
    p.directory = text(root, QStringLiteral("directory"));
    const QJsonValue search = required(root, QStringLiteral("search"));
    if (!search.isObject())
        malformed(QStringLiteral("search"));
    readSearch(search.toObject(), p);
    p.sources = texts(required(root, QStringLiteral("sources")), QStringLiteral("sources"));
    p.recursive = flag(root, QStringLiteral("recursive"));
    p.globs = texts(root.value(QStringLiteral("globs")), QStringLiteral("globs"));
    p.encoding = text(root, QStringLiteral("encoding"));
    const QJsonValue list = required(root, QStringLiteral("texts"));
    if (!list.isArray())
        malformed(QStringLiteral("texts"));
    for (const QJsonValue &item : list.toArray())
        p.texts << readText(item);
    return p;
}
