// The check at the program's edge of the accessibility bus: a call that does
// not fit what its object declares, or that the toolkit's bridge would read
// past its end, is answered with a D-Bus error and never reaches the bridge.
// Each refused row once ended the program or froze it.

#include "atspi_call_check.h"
#include "table_rows.h"

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

app::AtSpiCall callOn(const char* object, const QString& interface, const QString& member,
                      const QString& signature, const QVariantList& arguments)
{
    return {QStringLiteral("/org/a11y/atspi/accessible/") + object, interface, member, signature,
            arguments};
}

/// What the check must answer: its action, and for a refusal the error's name.
struct Answer {
    Action action;
    QString error;
};

struct Call {
    const char* name;
    QString interface, member, signature;
    QVariantList arguments;
    Answer answer;
};

struct Offsets {
    const char* name;
    QString member;
    QVariantList arguments;
    bool forwarded;
};

} // namespace

Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Offsets)

class TestAtSpiCallCheck : public QObject {
    Q_OBJECT

private slots:
    void callsAreCheckedAgainstTheDeclaration_data()
    {
        const QString component = QStringLiteral("org.a11y.atspi.Component");
        const QString application = QStringLiteral("org.a11y.atspi.Application");
        const QString value = QStringLiteral("org.a11y.atspi.Value");
        const QString text = QStringLiteral("org.a11y.atspi.Text");
        const QString table = QStringLiteral("org.a11y.atspi.Table");
        const QString introspectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
        const Answer forward{Action::Forward, {}}, leave{Action::LeaveToBus, {}},
            badArgs{Action::Refuse, invalidArgs}, unknown{Action::Refuse, unknownMethod};
        // clang-format off
        const Call rows[] = {
            {"child with its index", accessible, "GetChildAtIndex", "i", {2}, forward},
            {"child without its index", accessible, "GetChildAtIndex", "", {}, badArgs},
            {"child with two indices", accessible, "GetChildAtIndex", "ii", {1, 2}, badArgs},
            {"extents without the coordinate type", component, "GetExtents", "", {}, badArgs},
            {"extents with a text for the coordinate type", component, "GetExtents", "s", {"0"},
             badArgs},
            {"a member nobody declares", accessible, "GetBogus", "", {}, unknown},
            {"an interface the object lacks", table, "GetNRows", "", {}, unknown},
            {"no interface at all", "", "GetChildren", "", {}, unknown},
            {"a value set by its method, whose value is read third", value, "SetCurrentValue", "d",
             {0.5}, badArgs},
            {"the caret set by its method, beside a read-only property", text, "SetCaretOffset",
             "i", {1}, forward},
            {"the caret set without its offset", text, "SetCaretOffset", "", {}, badArgs},
            {"a word at an offset", text, "GetTextAtOffset", "iu", {0, 1u}, forward},
            {"a word without its boundary", text, "GetTextAtOffset", "i", {0}, badArgs},
            {"Get of the caret", properties, "Get", "ss", {text, "CaretOffset"}, forward},
            {"Set of the read-only caret", properties, "Set", "ssv",
             {text, "CaretOffset", variant(1)}, badArgs},
            {"Get of a word's method name, its two arguments read as the method's", properties,
             "Get", "ss", {text, "TextAtOffset"}, forward},
            {"Get of a name served by a member of no arguments (Orca 51's AccessibleId)",
             properties, "Get", "ss", {accessible, "AccessibleId"}, forward},
            {"Get of a member's name that reads three arguments", properties, "Get", "ss",
             {component, "AccessibleAtPoint"}, badArgs},
            {"Get of a property the bridge serves undeclared", properties, "Get", "ss",
             {application, "AtspiVersion"}, forward},
            {"Set of a property nobody declares", properties, "Set", "ssv",
             {application, "AtspiVersion", variant("2.1")}, badArgs},
            {"Get of a declared property", properties, "Get", "ss", {accessible, "Name"}, forward},
            {"Get with only the interface name", properties, "Get", "s", {accessible}, badArgs},
            {"Get of a method's name, its arguments read as the method's", properties, "Get", "ss",
             {accessible, "ChildAtIndex"}, forward},
            {"Get on an interface the object lacks", properties, "Get", "ss", {table, "NRows"},
             badArgs},
            {"Set of a read-only property", properties, "Set", "ssv",
             {accessible, "Name", variant("x")}, badArgs},
            {"Set of the Id with a number", properties, "Set", "ssv",
             {application, "Id", variant(7)}, forward},
            {"Set of the Id with a text", properties, "Set", "ssv",
             {application, "Id", variant("7")}, badArgs},
            {"Set without its value", properties, "Set", "ss", {application, "Id"}, badArgs},
            {"Set of the current value", properties, "Set", "ssv",
             {value, "CurrentValue", variant(0.25)}, forward},
            {"GetAll without the interface name", properties, "GetAll", "", {}, badArgs},
            {"GetAll on an interface the object lacks", properties, "GetAll", "s",
             {"org.a11y.atspi.Bogus"}, badArgs},
            {"a member of Properties nobody declares", properties, "GetEverything", "s",
             {accessible}, unknown},
            {"introspection", introspectable, "Introspect", "", {}, leave},
            {"introspection with an argument", introspectable, "Introspect", "s", {"x"}, unknown},
        };
        // clang-format on
        addRows(rows);
    }

    void callsAreCheckedAgainstTheDeclaration()
    {
        QFETCH(Call, row);
        const auto& [name, interface, member, signature, arguments, answer] = row;
        const auto verdict =
            app::checkAtSpiCall(app::AtSpiDeclaration::fromIntrospection(introspection),
                                callOn("root", interface, member, signature, arguments));
        QCOMPARE(verdict.action, answer.action);
        QCOMPARE(verdict.errorName, answer.error);
        if (answer.action == Action::Refuse)
            QVERIFY(!verdict.errorText.isEmpty());
    }

    void getAllListsTheReadableProperties()
    {
        const auto verdict =
            app::checkAtSpiCall(app::AtSpiDeclaration::fromIntrospection(introspection),
                                callOn("root", properties, "GetAll", "s", {accessible}));
        QCOMPARE(verdict.action, Action::ReadAll);
        QCOMPARE(verdict.interface, accessible);
        QCOMPARE(verdict.properties, QStringList({"ChildCount", "Name"}));
    }

    void aCallToNoObjectIsLeftToTheBus()
    {
        const auto verdict =
            app::checkAtSpiCall(app::AtSpiDeclaration::fromIntrospection(QString()),
                                callOn("7", accessible, "GetChildAtIndex", {}, {}));
        QCOMPARE(verdict.action, Action::LeaveToBus);
    }

    void textOffsetsThatHarmTheProgramAreRefused_data()
    {
        const int most = std::numeric_limits<int>::max();
        const Offsets rows[] = {
            {"a word in the text", "GetTextAtOffset", {1, 1u}, true},
            {"a word at the end, searched for ever", "GetTextAtOffset", {3, 1u}, false},
            {"a sentence from the end (-1)", "GetTextBeforeOffset", {-1, 3u}, false},
            {"a word from the cursor (-2)", "GetTextAfterOffset", {-2, 2u}, false},
            {"a word past the end of a text that has changed", "GetTextAtOffset", {9, 1u}, true},
            {"a line from the end (-1)", "GetTextAtOffset", {-1, 5u}, true},
            {"a text that has changed since", "GetText", {3, 4}, true},
            {"the extents of the whole text", "GetRangeExtents", {0, 3, 0u}, true},
            {"the extents of a billion characters", "GetRangeExtents", {0, 1 << 30, 0u}, false},
            {"an insertion at the end", "InsertText", {3, "ab", 2}, true},
            {"an insertion far past the end", "InsertText", {most, "ab", 2}, false},
            {"an insertion longer than its text", "InsertText", {0, "ab", most}, false},
            {"a paste far past the end", "PasteText", {most}, false},
        };
        addRows(rows);
    }

    void textOffsetsThatHarmTheProgramAreRefused()
    {
        QFETCH(Offsets, row);
        const auto& [name, member, arguments, forwarded] = row;
        const auto verdict = app::checkTextPositions(
            callOn("9", QStringLiteral("org.a11y.atspi.Text"), member, {}, arguments), 3);
        QCOMPARE(verdict.action == Action::Forward, forwarded);
        if (!forwarded)
            QCOMPARE(verdict.errorName, invalidArgs);
    }
};

QTEST_APPLESS_MAIN(TestAtSpiCallCheck)
#include "tst_atspi_call_check.moc"
