#include "accessibility_bus_guard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <memory>

namespace app {

namespace {

/// Where Qt's bridge serves every accessible object, as a sub-tree.
const QString bridgePath = QStringLiteral("/org/a11y/atspi/accessible");
/// Qt's bridge opens the accessibility bus as the connection of this name;
/// the name is how other code of the program reaches that connection.
const QString bridgeConnection = QStringLiteral("a11y");

/// Qt makes its bridge active, and only then registers the bridge on the
/// bus, when an assistive technology asks for it; the guard follows a turn
/// of the event loop later, once the bridge is in place.
class BridgeWatch : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { AccessibilityBusGuard::takeBridgePlace(); },
                Qt::QueuedConnection);
    }
};

/// The bridge keeps the Id that the registry gives the application, but
/// sends no reply to that Set; the guard answers for it, or the caller would
/// wait for its timeout.
bool setsApplicationId(const QDBusMessage& call)
{
    const QList<QVariant> arguments = call.arguments();
    return call.member() == QLatin1String("Set") && arguments.size() == 3 &&
           arguments.at(0).toString() == QLatin1String("org.a11y.atspi.Application") &&
           arguments.at(1).toString() == QLatin1String("Id");
}

/// The bridge serves Accessible.GetInterfaces, which screen readers ask of
/// every object, without declaring it.
void addUndeclaredMembers(AtSpiDeclaration& declaration)
{
    const auto accessible =
        declaration.interfaces.find(QStringLiteral("org.a11y.atspi.Accessible"));
    if (accessible != declaration.interfaces.end())
        accessible->methods.insert(QStringLiteral("GetInterfaces"), QString());
}

/// The accessible object at a path of the bridge: the application at the
/// root, any other by the unique id that ends its path.
QAccessibleInterface* accessibleAt(const QString& path)
{
    if (path == bridgePath + QLatin1String("/root"))
        return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    bool isNumber = false;
    const QAccessible::Id id = path.section(u'/', -1).toUInt(&isNumber);
    return isNumber && path.section(u'/', 0, -2) == bridgePath
               ? QAccessible::accessibleInterface(id)
               : nullptr;
}

/// The length of the text of the accessible object at path, or 0.
qsizetype characterCountAt(const QString& path)
{
    QAccessibleInterface* accessible = accessibleAt(path);
    QAccessibleTextInterface* text = accessible ? accessible->textInterface() : nullptr;
    return text ? text->characterCount() : 0;
}

/// The bridge cannot send its answer to Text.GetBoundedRanges: its list of
/// ranges is of no type registered with Qt's D-Bus, and the caller would wait
/// for its timeout.
bool cannotBeAnswered(const QDBusMessage& call)
{
    return call.interface() == QLatin1String("org.a11y.atspi.Text") &&
           call.member() == QLatin1String("GetBoundedRanges");
}

/// The replies to the Gets of one GetAll, gathered until the last has come.
struct Gathering {
    QDBusMessage call;
    QDBusConnection connection;
    qsizetype waiting = 0;
    QVariantMap values;

    void take(const QString& name, const QDBusMessage& reply)
    {
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1)
            values.insert(name, qvariant_cast<QDBusVariant>(reply.arguments().at(0)).variant());
        if (--waiting == 0)
            connection.send(values.isEmpty()
                                ? call.createErrorReply(QDBusError::Failed,
                                                        QStringLiteral("No property could be read"))
                                : call.createReply(QVariant::fromValue(values)));
    }
};

} // namespace

AccessibilityBusGuard::AccessibilityBusGuard(QDBusVirtualObject* bridge)
    : QDBusVirtualObject(bridge)
    , bridge_(bridge)
{}

void AccessibilityBusGuard::install()
{
    static BridgeWatch watch;
    static const bool watching = [] {
        QAccessible::installActivationObserver(&watch);
        return true;
    }();
    Q_UNUSED(watching);
    if (QAccessible::isActive())
        watch.accessibilityActiveChanged(true);
}

void AccessibilityBusGuard::takeBridgePlace()
{
    QDBusConnection bus(bridgeConnection);
    if (!bus.isConnected())
        return;
    QObject* registered = bus.objectRegisteredAt(bridgePath);
    auto* bridge = qobject_cast<QDBusVirtualObject*>(registered);
    if (!bridge || qobject_cast<AccessibilityBusGuard*>(registered))
        return;
    bus.unregisterObject(bridgePath);
    auto* guard = new AccessibilityBusGuard(bridge);
    if (!bus.registerVirtualObject(bridgePath, guard, QDBusConnection::SubPath)) {
        delete guard;
        bus.registerVirtualObject(bridgePath, bridge, QDBusConnection::SubPath);
    }
}

QString AccessibilityBusGuard::introspect(const QString& path) const
{
    return bridge_ ? bridge_->introspect(path) : QString();
}

bool AccessibilityBusGuard::handleMessage(const QDBusMessage& message,
                                          const QDBusConnection& connection)
{
    const AtSpiCallVerdict verdict = verdictOn(message);
    switch (verdict.action) {
    case AtSpiCallVerdict::Action::Forward:
        if (!bridge_ || !bridge_->handleMessage(message, connection))
            return false;
        if (setsApplicationId(message) && message.isReplyRequired())
            connection.send(message.createReply());
        return true;
    case AtSpiCallVerdict::Action::LeaveToBus:
        return false;
    case AtSpiCallVerdict::Action::Refuse:
        if (message.isReplyRequired())
            connection.send(message.createErrorReply(verdict.errorName, verdict.errorText));
        return true;
    case AtSpiCallVerdict::Action::ReadAll:
        replyWithAll(message, connection, verdict);
        return true;
    }
    return false;
}

/// The declaration first; then what the bridge could not take although the
/// declaration allows it.
AtSpiCallVerdict AccessibilityBusGuard::verdictOn(const QDBusMessage& call) const
{
    const AtSpiCall parts = AtSpiCall::from(call);
    const AtSpiCallVerdict verdict = checkAtSpiCall(declarationAt(call.path()), parts);
    if (verdict.action != AtSpiCallVerdict::Action::Forward)
        return verdict;
    if (cannotBeAnswered(call))
        return {AtSpiCallVerdict::Action::Refuse,
                QDBusError::errorString(QDBusError::UnknownMethod),
                QStringLiteral("%1 is not served").arg(call.member()),
                {},
                {}};
    if (call.interface() == QLatin1String("org.a11y.atspi.Text") ||
        call.interface() == QLatin1String("org.a11y.atspi.EditableText"))
        return checkTextPositions(parts, characterCountAt(call.path()));
    return verdict;
}

const AtSpiDeclaration& AccessibilityBusGuard::declarationAt(const QString& path) const
{
    static const AtSpiDeclaration nothing;
    // Ids of objects that are gone are not given again, but paths of such
    // objects are kept no longer than it takes to see a thousand.
    constexpr qsizetype pathsKept = 1024;
    const QAccessibleInterface* accessible = accessibleAt(path);
    if (!accessible)
        return nothing;
    const auto seen = seen_.constFind(path);
    if (seen != seen_.cend() && seen->accessible == accessible)
        return *seen->declaration;

    const QString introspection = introspect(path);
    std::shared_ptr<const AtSpiDeclaration>& known = declarations_[introspection];
    if (!known) {
        auto declaration =
            std::make_shared<AtSpiDeclaration>(AtSpiDeclaration::fromIntrospection(introspection));
        addUndeclaredMembers(*declaration);
        known = std::move(declaration);
    }
    if (seen_.size() >= pathsKept)
        seen_.clear();
    seen_.insert(path, {accessible, known});
    return *known;
}

/// Each property is read by a Get of its own, sent to this program and
/// checked here like any other, so that GetAll gives what Get gives.
void AccessibilityBusGuard::replyWithAll(const QDBusMessage& call,
                                         const QDBusConnection& connection,
                                         const AtSpiCallVerdict& verdict)
{
    if (verdict.properties.isEmpty()) {
        connection.send(call.createReply(QVariant::fromValue(QVariantMap())));
        return;
    }
    auto gathering =
        std::make_shared<Gathering>(Gathering{call, connection, verdict.properties.size(), {}});
    for (const QString& name : verdict.properties) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            connection.baseService(), call.path(),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << verdict.interface << name;
        auto* watcher = new QDBusPendingCallWatcher(connection.asyncCall(get), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [gathering, name](QDBusPendingCallWatcher* done) {
                    gathering->take(name, done->reply());
                    done->deleteLater();
                });
    }
}

} // namespace app
