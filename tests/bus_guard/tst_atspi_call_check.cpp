// The check at the program's edge of the accessibility bus: a call that does
// not fit what its object declares, or that the toolkit's bridge would read
// past its end, is answered with a D-Bus error and never reaches the bridge.
// Each refused row once ended the program or froze it.

#include "atspi_call_check.h"

#include <QDBusVariant>
#include <QTest>

using Action = app::AtSpiCallVerdict::Action;
Q_DECLARE_METATYPE(app::AtSpiCallVerdict::Action)

namespace {

// Shaped as the bridge declares its objects: interfaces without <node>.
const char* const introspectionText = R"xml(
  <interface name="org.a11y.atspi.Accessible">
    <property access="read" type="s" name="Name"/>
    <property access="read" type="i" name="ChildCount"/>
    <method name="GetChildAtIndex">
      <arg direction="in" type="i" name="index"/>
      <arg direction="out" type="(so)"/>
    </method>
    <method name="GetChildren"><arg direction="out" type="a(so)"/></method>
    <method name="GetAccessibleId"><arg direction="out" type="s"/></method>
  </interface>
  <interface name="org.a11y.atspi.Application">
    <property access="readwrite" type="i" name="Id"/>
  </interface>
  <interface name="org.a11y.atspi.Component">
    <method name="GetExtents">
      <arg direction="in" type="u" name="coord_type"/>
      <arg direction="out" type="(iiii)"/>
    </method>
    <method name="GetAccessibleAtPoint">
      <arg direction="in" type="i" name="x"/>
      <arg direction="in" type="i" name="y"/>
      <arg direction="in" type="u" name="coord_type"/>
      <arg direction="out" type="(so)"/>
    </method>
  </interface>
  <interface name="org.a11y.atspi.Text">
    <property access="read" type="i" name="CharacterCount"/>
    <property access="read" type="i" name="CaretOffset"/>
    <method name="SetCaretOffset">
      <arg direction="in" type="i" name="offset"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="GetTextAtOffset">
      <arg direction="in" type="i" name="offset"/>
      <arg direction="in" type="u" name="type"/>
      <arg direction="out" type="s"/>
      <arg direction="out" type="i"/>
      <arg direction="out" type="i"/>
    </method>
  </interface>
  <interface name="org.a11y.atspi.Value">
    <property access="readwrite" type="d" name="CurrentValue"/>
    <method name="SetCurrentValue"><arg direction="in" type="d" name="value"/></method>
  </interface>
)xml";
const QString introspection = QString::fromUtf8(introspectionText);

const QString accessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString invalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
const QString unknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

QVariant variant(const QVariant& value)
{
    return QVariant::fromValue(QDBusVariant(value));
}

} // namespace

class TestAtSpiCallCheck : public QObject {
    Q_OBJECT

private slots:
    void callsAreCheckedAgainstTheDeclaration_data()
    {
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("signature");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("error");

        const QString component = QStringLiteral("org.a11y.atspi.Component");
        const QString application = QStringLiteral("org.a11y.atspi.Application");
        const QString value = QStringLiteral("org.a11y.atspi.Value");
        const QString text = QStringLiteral("org.a11y.atspi.Text");
        QTest::newRow("child with its index") << accessible << "GetChildAtIndex"
                                              << "i" << QVariantList{2} << Action::Forward << "";
        QTest::newRow("child without its index")
            << accessible << "GetChildAtIndex"
            << "" << QVariantList{} << Action::Refuse << invalidArgs;
        QTest::newRow("child with two indices")
            << accessible << "GetChildAtIndex"
            << "ii" << QVariantList{1, 2} << Action::Refuse << invalidArgs;
        QTest::newRow("extents without the coordinate type")
            << component << "GetExtents"
            << "" << QVariantList{} << Action::Refuse << invalidArgs;
        QTest::newRow("extents with a text for the coordinate type")
            << component << "GetExtents"
            << "s" << QVariantList{"0"} << Action::Refuse << invalidArgs;
        QTest::newRow("a member nobody declares")
            << accessible << "GetBogus"
            << "" << QVariantList{} << Action::Refuse << unknownMethod;
        QTest::newRow("an interface the object lacks")
            << "org.a11y.atspi.Table"
            << "GetNRows"
            << "" << QVariantList{} << Action::Refuse << unknownMethod;
        QTest::newRow("no interface at all")
            << ""
            << "GetChildren"
            << "" << QVariantList{} << Action::Refuse << unknownMethod;
        QTest::newRow("a value set by its method, whose value is read third")
            << value << "SetCurrentValue"
            << "d" << QVariantList{0.5} << Action::Refuse << invalidArgs;
        QTest::newRow("the caret set by its method, beside a read-only property")
            << text << "SetCaretOffset"
            << "i" << QVariantList{1} << Action::Forward << "";
        QTest::newRow("the caret set without its offset")
            << text << "SetCaretOffset"
            << "" << QVariantList{} << Action::Refuse << invalidArgs;
        QTest::newRow("a word at an offset")
            << text << "GetTextAtOffset"
            << "iu" << QVariantList{0, 1u} << Action::Forward << "";
        QTest::newRow("a word without its boundary")
            << text << "GetTextAtOffset"
            << "i" << QVariantList{0} << Action::Refuse << invalidArgs;
        QTest::newRow("Get of the caret")
            << properties << "Get"
            << "ss" << QVariantList{text, "CaretOffset"} << Action::Forward << "";
        QTest::newRow("Set of the read-only caret")
            << properties << "Set"
            << "ssv" << QVariantList{text, "CaretOffset", variant(1)} << Action::Refuse
            << invalidArgs;
        QTest::newRow("Get of a word's method name, its two arguments read as the method's")
            << properties << "Get"
            << "ss" << QVariantList{text, "TextAtOffset"} << Action::Forward << "";
        QTest::newRow("Get of a name served by a member of no arguments (Orca 51's AccessibleId)")
            << properties << "Get"
            << "ss" << QVariantList{accessible, "AccessibleId"} << Action::Forward << "";
        QTest::newRow("Get of a member's name that reads three arguments")
            << properties << "Get"
            << "ss" << QVariantList{"org.a11y.atspi.Component", "AccessibleAtPoint"}
            << Action::Refuse << invalidArgs;
        QTest::newRow("Get of a property the bridge serves undeclared")
            << properties << "Get"
            << "ss" << QVariantList{application, "AtspiVersion"} << Action::Forward << "";
        QTest::newRow("Set of a property nobody declares")
            << properties << "Set"
            << "ssv" << QVariantList{application, "AtspiVersion", variant("2.1")} << Action::Refuse
            << invalidArgs;
        QTest::newRow("Get of a declared property")
            << properties << "Get"
            << "ss" << QVariantList{accessible, "Name"} << Action::Forward << "";
        QTest::newRow("Get with only the interface name")
            << properties << "Get"
            << "s" << QVariantList{accessible} << Action::Refuse << invalidArgs;
        QTest::newRow("Get of a method's name, its arguments read as the method's")
            << properties << "Get"
            << "ss" << QVariantList{accessible, "ChildAtIndex"} << Action::Forward << "";
        QTest::newRow("Get on an interface the object lacks")
            << properties << "Get"
            << "ss" << QVariantList{"org.a11y.atspi.Table", "NRows"} << Action::Refuse
            << invalidArgs;
        QTest::newRow("Set of a read-only property")
            << properties << "Set"
            << "ssv" << QVariantList{accessible, "Name", variant("x")} << Action::Refuse
            << invalidArgs;
        QTest::newRow("Set of the Id with a number")
            << properties << "Set"
            << "ssv" << QVariantList{application, "Id", variant(7)} << Action::Forward << "";
        QTest::newRow("Set of the Id with a text")
            << properties << "Set"
            << "ssv" << QVariantList{application, "Id", variant("7")} << Action::Refuse
            << invalidArgs;
        QTest::newRow("Set without its value")
            << properties << "Set"
            << "ss" << QVariantList{application, "Id"} << Action::Refuse << invalidArgs;
        QTest::newRow("Set of the current value")
            << properties << "Set"
            << "ssv" << QVariantList{value, "CurrentValue", variant(0.25)} << Action::Forward << "";
        QTest::newRow("GetAll without the interface name")
            << properties << "GetAll"
            << "" << QVariantList{} << Action::Refuse << invalidArgs;
        QTest::newRow("GetAll on an interface the object lacks")
            << properties << "GetAll"
            << "s" << QVariantList{"org.a11y.atspi.Bogus"} << Action::Refuse << invalidArgs;
        QTest::newRow("a member of Properties nobody declares")
            << properties << "GetEverything"
            << "s" << QVariantList{accessible} << Action::Refuse << unknownMethod;
        QTest::newRow("introspection") << "org.freedesktop.DBus.Introspectable"
                                       << "Introspect"
                                       << "" << QVariantList{} << Action::LeaveToBus << "";
        QTest::newRow("introspection with an argument")
            << "org.freedesktop.DBus.Introspectable"
            << "Introspect"
            << "s" << QVariantList{"x"} << Action::Refuse << unknownMethod;
    }

    void callsAreCheckedAgainstTheDeclaration()
    {
        QFETCH(QString, interface);
        QFETCH(QString, member);
        QFETCH(QString, signature);
        QFETCH(QVariantList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, error);

        const auto declaration = app::AtSpiDeclaration::fromIntrospection(introspection);
        const app::AtSpiCall call{QStringLiteral("/org/a11y/atspi/accessible/root"), interface,
                                  member, signature, arguments};
        const app::AtSpiCallVerdict verdict = app::checkAtSpiCall(declaration, call);
        QCOMPARE(verdict.action, action);
        QCOMPARE(verdict.errorName, error);
        if (action == Action::Refuse)
            QVERIFY(!verdict.errorText.isEmpty());
    }

    void getAllListsTheReadableProperties()
    {
        const auto declaration = app::AtSpiDeclaration::fromIntrospection(introspection);
        const app::AtSpiCall call{QStringLiteral("/org/a11y/atspi/accessible/root"),
                                  properties,
                                  QStringLiteral("GetAll"),
                                  QStringLiteral("s"),
                                  {accessible}};
        const app::AtSpiCallVerdict verdict = app::checkAtSpiCall(declaration, call);
        QCOMPARE(verdict.action, Action::ReadAll);
        QCOMPARE(verdict.interface, accessible);
        QCOMPARE(verdict.properties, QStringList({"ChildCount", "Name"}));
    }

    void aCallToNoObjectIsLeftToTheBus()
    {
        const app::AtSpiCall call{QStringLiteral("/org/a11y/atspi/accessible/7"),
                                  accessible,
                                  QStringLiteral("GetChildAtIndex"),
                                  QString(),
                                  {}};
        const auto verdict =
            app::checkAtSpiCall(app::AtSpiDeclaration::fromIntrospection(QString()), call);
        QCOMPARE(verdict.action, Action::LeaveToBus);
    }

    void textOffsetsThatHarmTheProgramAreRefused_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<bool>("forwarded");

        const int most = std::numeric_limits<int>::max();
        QTest::newRow("a word in the text") << "GetTextAtOffset" << QVariantList{1, 1u} << true;
        QTest::newRow("a word at the end, searched for ever")
            << "GetTextAtOffset" << QVariantList{3, 1u} << false;
        QTest::newRow("a sentence from the end (-1)")
            << "GetTextBeforeOffset" << QVariantList{-1, 3u} << false;
        QTest::newRow("a word from the cursor (-2)")
            << "GetTextAfterOffset" << QVariantList{-2, 2u} << false;
        QTest::newRow("a word past the end of a text that has changed")
            << "GetTextAtOffset" << QVariantList{9, 1u} << true;
        QTest::newRow("a line from the end (-1)")
            << "GetTextAtOffset" << QVariantList{-1, 5u} << true;
        QTest::newRow("a text that has changed since") << "GetText" << QVariantList{3, 4} << true;
        QTest::newRow("the extents of the whole text")
            << "GetRangeExtents" << QVariantList{0, 3, 0u} << true;
        QTest::newRow("the extents of a billion characters")
            << "GetRangeExtents" << QVariantList{0, 1 << 30, 0u} << false;
        QTest::newRow("an insertion at the end")
            << "InsertText" << QVariantList{3, "ab", 2} << true;
        QTest::newRow("an insertion far past the end")
            << "InsertText" << QVariantList{most, "ab", 2} << false;
        QTest::newRow("an insertion longer than its text")
            << "InsertText" << QVariantList{0, "ab", most} << false;
        QTest::newRow("a paste far past the end") << "PasteText" << QVariantList{most} << false;
    }

    void textOffsetsThatHarmTheProgramAreRefused()
    {
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        QFETCH(bool, forwarded);

        const app::AtSpiCall call{QStringLiteral("/org/a11y/atspi/accessible/9"),
                                  QStringLiteral("org.a11y.atspi.Text"), member, QString(),
                                  arguments};
        const auto verdict = app::checkTextPositions(call, 3);
        QCOMPARE(verdict.action == Action::Forward, forwarded);
        if (!forwarded)
            QCOMPARE(verdict.errorName, invalidArgs);
    }
};

QTEST_APPLESS_MAIN(TestAtSpiCallCheck)
#include "tst_atspi_call_check.moc"
