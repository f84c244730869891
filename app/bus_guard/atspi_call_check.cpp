#include "atspi_call_check.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QXmlStreamReader>

#include <algorithm>

namespace app {

namespace {

const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString introspectableInterface = QStringLiteral("org.freedesktop.DBus.Introspectable");

AtSpiCallVerdict forward()
{
    return {AtSpiCallVerdict::Action::Forward, {}, {}, {}, {}};
}

AtSpiCallVerdict refuse(QDBusError::ErrorType type, const QString& text)
{
    return {AtSpiCallVerdict::Action::Refuse, QDBusError::errorString(type), text, {}, {}};
}

AtSpiCallVerdict wrongArguments(const AtSpiCall& call, const QString& expected)
{
    return refuse(QDBusError::InvalidArgs,
                  QStringLiteral("%1.%2 takes arguments of signature \"%3\", not \"%4\"")
                      .arg(call.interface, call.member, expected, call.signature));
}

/// The D-Bus type of a value that arrived inside a variant.
QString typeOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return qvariant_cast<QDBusArgument>(value).currentSignature();
    const char* signature = QDBusMetaType::typeToSignature(value.metaType());
    return signature ? QString::fromLatin1(signature) : QString();
}

/// The number of complete types in a D-Bus signature: the arguments of a
/// call of that signature.
qsizetype countArguments(const QString& signature)
{
    qsizetype count = 0;
    int depth = 0;
    for (const QChar c : signature) {
        if (c == u'(' || c == u'{')
            ++depth;
        else if (c == u')' || c == u'}')
            --depth;
        if (depth == 0 && c != u'a')
            ++count;
    }
    return count;
}

/// Qt's bridge serves a property's Get and Set by the code of a member named
/// "Get" or "Set" and the property's name, and cannot tell such a member's
/// call from the property's: it reads as many arguments as either needs. The
/// code of a writable property's Set reads the value as the third argument;
/// a read-only property has no such code, and a method of that name (as
/// Text.SetCaretOffset beside the read-only CaretOffset) reads its own
/// arguments alone. A call that carries fewer would be read past its end.
qsizetype argumentsRead(const AtSpiDeclaration::Interface& interface, const QString& function)
{
    qsizetype read = 0;
    if (function.startsWith(QLatin1String("Set"))) {
        const auto property = interface.properties.constFind(function.mid(3));
        if (property != interface.properties.cend() && property->writable)
            read = 3;
    }
    const auto method = interface.methods.constFind(function);
    if (method != interface.methods.cend())
        read = std::max(read, countArguments(*method));
    return read;
}

AtSpiCallVerdict readPastEnd(const QString& function)
{
    return refuse(QDBusError::InvalidArgs,
                  QStringLiteral("%1 is served for the property and the method of that name alike; "
                                 "call it as Properties.%2")
                      .arg(function, function.left(3)));
}

void readInterface(QXmlStreamReader& xml, AtSpiDeclaration::Interface& interface)
{
    while (xml.readNextStartElement()) {
        const auto attributes = xml.attributes();
        if (xml.name() == QLatin1String("method")) {
            QString& signature = interface.methods[attributes.value("name").toString()];
            while (xml.readNextStartElement()) {
                const auto arg = xml.attributes();
                // A method's argument is an input unless it says otherwise.
                if (xml.name() == QLatin1String("arg") &&
                    arg.value("direction") != QLatin1String("out"))
                    signature += arg.value("type");
                xml.skipCurrentElement();
            }
        } else if (xml.name() == QLatin1String("property")) {
            const auto access = attributes.value("access");
            interface.properties.insert(attributes.value("name").toString(),
                                        {attributes.value("type").toString(),
                                         access.startsWith(QLatin1String("read")),
                                         access.endsWith(QLatin1String("write"))});
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
}

AtSpiCallVerdict checkProperties(const AtSpiDeclaration& declaration, const AtSpiCall& call)
{
    static const QHash<QString, QString> signatures{
        {QStringLiteral("Get"), QStringLiteral("ss")},
        {QStringLiteral("Set"), QStringLiteral("ssv")},
        {QStringLiteral("GetAll"), QStringLiteral("s")}};
    const auto expected = signatures.constFind(call.member);
    if (expected == signatures.cend())
        return refuse(QDBusError::UnknownMethod,
                      QStringLiteral("No method %1 in %2").arg(call.member, propertiesInterface));
    if (call.signature != *expected)
        return wrongArguments(call, *expected);

    const QList<QVariant>& arguments = call.arguments;
    const QString name = arguments.at(0).toString();
    const auto interface = declaration.interfaces.constFind(name);
    if (interface == declaration.interfaces.cend())
        return refuse(QDBusError::InvalidArgs,
                      QStringLiteral("No interface %1 at this object").arg(name));

    if (call.member == QLatin1String("GetAll")) {
        QStringList readable;
        for (auto property = interface->properties.cbegin();
             property != interface->properties.cend(); ++property)
            if (property->readable)
                readable << property.key();
        std::sort(readable.begin(), readable.end());
        return {AtSpiCallVerdict::Action::ReadAll, {}, {}, name, readable};
    }

    const QString propertyName = arguments.at(1).toString();
    const QString function = call.member + propertyName;
    const auto property = interface->properties.constFind(propertyName);
    if (property == interface->properties.cend()) {
        // The bridge serves some properties it does not declare (the
        // Application's AtspiVersion on newer Qt), answers a name it does not
        // know with an error of its own, and runs the member of a name's Get
        // (Orca 51 asks for the Accessible's AccessibleId so): a Get is its
        // to answer, unless that member reads past the Get's two arguments.
        if (call.member == QLatin1String("Get"))
            return argumentsRead(*interface, function) > arguments.size() ? readPastEnd(function)
                                                                          : forward();
        return refuse(QDBusError::InvalidArgs,
                      QStringLiteral("No property %1 in %2").arg(propertyName, name));
    }
    if (argumentsRead(*interface, function) > arguments.size())
        return readPastEnd(function);
    if (call.member == QLatin1String("Get"))
        return property->readable
                   ? forward()
                   : refuse(QDBusError::InvalidArgs,
                            QStringLiteral("Property %1 cannot be read").arg(propertyName));
    if (!property->writable)
        return refuse(QDBusError::InvalidArgs,
                      QStringLiteral("Property %1 is read-only").arg(propertyName));
    const QString type = typeOf(qvariant_cast<QDBusVariant>(arguments.at(2)).variant());
    if (type != property->type)
        return refuse(QDBusError::InvalidArgs,
                      QStringLiteral("Property %1 is of type \"%2\", not \"%3\"")
                          .arg(propertyName, property->type, type));
    return forward();
}

} // namespace

AtSpiCall AtSpiCall::from(const QDBusMessage& message)
{
    return {message.path(), message.interface(), message.member(), message.signature(),
            message.arguments()};
}

AtSpiDeclaration AtSpiDeclaration::fromIntrospection(const QString& text)
{
    AtSpiDeclaration declaration;
    QXmlStreamReader xml(text.trimmed().startsWith(QLatin1String("<node"))
                             ? text
                             : QStringLiteral("<node>%1</node>").arg(text));
    if (!xml.readNextStartElement())
        return declaration;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("interface"))
            readInterface(xml, declaration.interfaces[xml.attributes().value("name").toString()]);
        else
            xml.skipCurrentElement();
    }
    return declaration;
}

AtSpiCallVerdict checkAtSpiCall(const AtSpiDeclaration& declaration, const AtSpiCall& call)
{
    if (call.interface == introspectableInterface) {
        if (call.member == QLatin1String("Introspect") && call.signature.isEmpty())
            return {AtSpiCallVerdict::Action::LeaveToBus, {}, {}, {}, {}};
        return refuse(QDBusError::UnknownMethod,
                      QStringLiteral("Only Introspect, without arguments"));
    }
    // No object, nothing of the bridge to reach: the D-Bus library answers,
    // as it answered before there was a guard.
    if (declaration.interfaces.isEmpty())
        return {AtSpiCallVerdict::Action::LeaveToBus, {}, {}, {}, {}};
    if (call.interface == propertiesInterface)
        return checkProperties(declaration, call);

    const auto interface = declaration.interfaces.constFind(call.interface);
    if (interface == declaration.interfaces.cend())
        return refuse(QDBusError::UnknownMethod,
                      QStringLiteral("No interface \"%1\" at this object").arg(call.interface));
    const auto method = interface->methods.constFind(call.member);
    if (method == interface->methods.cend())
        return refuse(QDBusError::UnknownMethod,
                      QStringLiteral("No method %1 in %2").arg(call.member, call.interface));
    if (call.signature != *method)
        return wrongArguments(call, *method);
    if (argumentsRead(*interface, call.member) > countArguments(*method))
        return readPastEnd(call.member);
    return forward();
}

AtSpiCallVerdict checkTextPositions(const AtSpiCall& call, qsizetype characterCount)
{
    // Only what harms the program is refused: a screen reader asks with
    // offsets of a text that has changed since, and the toolkit answers
    // those with an empty text, as it should.
    static const QStringList boundaryMembers{
        QStringLiteral("GetTextAtOffset"), QStringLiteral("GetTextBeforeOffset"),
        QStringLiteral("GetTextAfterOffset"), QStringLiteral("GetStringAtOffset")};
    const QList<QVariant>& arguments = call.arguments;
    const auto at = [&](int index) { return arguments.at(index).toLongLong(); };
    const auto refusal = [&] {
        return refuse(QDBusError::InvalidArgs,
                      QStringLiteral("%1: an offset the text of %2 characters cannot take")
                          .arg(call.member)
                          .arg(characterCount));
    };

    // The search for a word or a sentence (boundaries 1 to 4) from the end
    // of the text never ends; -1 stands for the end, -2 for the cursor.
    if (boundaryMembers.contains(call.member) && arguments.size() == 2) {
        const uint boundary = arguments.at(1).toUInt();
        const bool fromTheEnd = at(0) == characterCount || at(0) == -1 || at(0) == -2;
        return boundary >= 1 && boundary <= 4 && characterCount > 0 && fromTheEnd ? refusal()
                                                                                  : forward();
    }
    // The extents of a range are measured character by character.
    const auto outsideText = [&](int index) {
        return at(index) < -1 || at(index) > characterCount;
    };
    if (call.member == QLatin1String("GetRangeExtents") && arguments.size() == 3 &&
        (outsideText(0) || outsideText(1)))
        return refusal();
    // An insertion past the end is padded with blanks up to its position.
    if (call.member == QLatin1String("InsertText") && arguments.size() == 3 &&
        (at(0) < 0 || at(0) > characterCount || at(2) < 0 ||
         at(2) > arguments.at(1).toString().size()))
        return refusal();
    if (call.member == QLatin1String("PasteText") && arguments.size() == 1 &&
        (at(0) < 0 || at(0) > characterCount))
        return refusal();
    return forward();
}

} // namespace app
