#pragma once

#include <QDBusMessage>
#include <QHash>
#include <QString>
#include <QStringList>

namespace app {

/// What one accessible object declares in its D-Bus introspection: per
/// interface, the in-argument signature of each method and the type and
/// access of each property.
struct AtSpiDeclaration {
    struct Property {
        QString type;
        bool readable = false;
        bool writable = false;
    };
    struct Interface {
        QHash<QString, QString> methods; ///< member name -> in-argument signature
        QHash<QString, Property> properties;
    };
    QHash<QString, Interface> interfaces;

    /// Reads the <interface> elements of an introspection text, with or
    /// without the enclosing <node>. An empty text declares nothing: there is
    /// no object at that path.
    static AtSpiDeclaration fromIntrospection(const QString& xml);
};

/// The parts of an incoming method call that its check looks at.
struct AtSpiCall {
    QString path;
    QString interface;
    QString member;
    QString signature; ///< of the arguments, as they came over the bus
    QList<QVariant> arguments;

    static AtSpiCall from(const QDBusMessage& message);
};

/// What becomes of an incoming call, judged against the declaration of the
/// object it is addressed to.
struct AtSpiCallVerdict {
    enum class Action {
        Forward,    ///< fits the declaration: the toolkit's bridge answers it
        LeaveToBus, ///< introspection, or no object at the path: the D-Bus library answers it
        Refuse,     ///< answered with the error errorName, errorText
        ReadAll,    ///< Properties.GetAll: answered with the properties listed
    };
    Action action = Action::Refuse;
    QString errorName;
    QString errorText;
    QString interface;      ///< for ReadAll
    QStringList properties; ///< for ReadAll: the readable ones, in name order
};

/// Checks a method call's interface, member, argument count and D-Bus types
/// against what its object declares; Properties calls are checked against
/// the declared properties of the interface they name.
AtSpiCallVerdict checkAtSpiCall(const AtSpiDeclaration& declaration, const AtSpiCall& call);

/// Checks the offsets, positions and lengths of a Text or EditableText call
/// that fits its declaration against the object's text of characterCount
/// characters, for those the toolkit cannot take: its search for a word from
/// the end of the text never ends, it measures a range character by
/// character, and it fills the gap before an insertion far past the end with
/// blanks, gigabytes of them for an extreme position or length.
AtSpiCallVerdict checkTextPositions(const AtSpiCall& call, qsizetype characterCount);

} // namespace app
