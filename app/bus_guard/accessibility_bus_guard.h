#pragma once

#include "atspi_call_check.h"

#include <QDBusVirtualObject>
#include <QHash>
#include <QPointer>

#include <memory>

namespace app {

/// Stands on the accessibility bus in front of the toolkit's AT-SPI bridge,
/// at the bridge's own object path and sub-tree. Qt's bridge reads the
/// arguments a call should carry without looking whether it carries them,
/// so one careless call from any program on the bus would end this one.
/// Here every call is checked against what the bridge declares for the
/// object it is addressed to: a call that fits goes to the bridge unchanged,
/// one that does not is answered with a D-Bus error, and Properties.GetAll,
/// which the bridge cannot take at all, is answered from one Get a property.
class AccessibilityBusGuard : public QDBusVirtualObject {
    Q_OBJECT

public:
    /// Takes the bridge's place whenever the bridge comes up, at start-up or
    /// when a screen reader starts later. Until then nothing of it runs.
    static void install();

    /// Takes the bridge's place now if the bridge is up and not yet guarded.
    static void takeBridgePlace();

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    explicit AccessibilityBusGuard(QDBusVirtualObject* bridge);

    AtSpiCallVerdict verdictOn(const QDBusMessage& call) const;
    const AtSpiDeclaration& declarationAt(const QString& path) const;
    void replyWithAll(const QDBusMessage& call, const QDBusConnection& connection,
                      const AtSpiCallVerdict& verdict);

    QPointer<QDBusVirtualObject> bridge_;
    /// The declarations read so far, by their introspection text: objects
    /// come and go, but each declares one of a few combinations of
    /// interfaces, so that this stays small.
    mutable QHash<QString, std::shared_ptr<const AtSpiDeclaration>> declarations_;
    /// Which of them each object path declares, for the accessible object it
    /// had when it was read: a call to an object already seen costs a look-up,
    /// not a new introspection text. A path of a new object is read anew.
    struct Seen {
        const void* accessible = nullptr;
        std::shared_ptr<const AtSpiDeclaration> declaration;
    };
    mutable QHash<QString, Seen> seen_;
};

} // namespace app
