// What the accessibility guard costs a screen reader: the first walk of the
// main window's tree, as Orca makes it when the program comes up, against
// the program (its guard in front of the toolkit's bridge) and against the
// same program with the bridge alone. Both run on one AT-SPI bus that
// scripts/bench-accessibility.sh starts under Xvfb; this program is the
// client. Ends with the medians and the ratio guarded / bridge alone.
//
// usage: bench_accessibility_walk BUS_ADDRESS GUARDED_NAME ALONE_NAME [benchmark options]

#include "median_reporter.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <benchmark/benchmark.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

const QString accessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString root = QStringLiteral("/org/a11y/atspi/accessible/root");

struct Walk {
    QDBusConnection bus;
    QString program;
    long calls = 0;

    QDBusMessage call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(program, path, interface, member);
        message.setArguments(arguments);
        ++calls;
        return bus.call(message, QDBus::Block, 5000);
    }

    QVariant property(const QString& path, const QString& name)
    {
        const QDBusMessage reply = call(path, properties, QStringLiteral("Get"), {accessible, name});
        return reply.arguments().isEmpty()
                   ? QVariant()
                   : qvariant_cast<QDBusVariant>(reply.arguments().at(0)).variant();
    }

    /// What Orca asks of each object on its first walk: role, state, name,
    /// description, interfaces, attributes, relations, its place, and its
    /// children one by one. Returns the number of objects.
    int object(const QString& path)
    {
        for (const char* member : {"GetRole", "GetState", "GetInterfaces", "GetAttributes",
                                   "GetRelationSet", "GetIndexInParent"})
            call(path, accessible, QString::fromLatin1(member));
        property(path, QStringLiteral("Name"));
        property(path, QStringLiteral("Description"));
        const int children = property(path, QStringLiteral("ChildCount")).toInt();
        int objects = 1;
        for (int index = 0; index < children; ++index) {
            const QDBusMessage reply =
                call(path, accessible, QStringLiteral("GetChildAtIndex"), {index});
            if (reply.arguments().isEmpty())
                continue;
            const QDBusArgument child = qvariant_cast<QDBusArgument>(reply.arguments().at(0));
            QString service;
            QDBusObjectPath childPath;
            child.beginStructure();
            child >> service >> childPath;
            child.endStructure();
            if (service == program)
                objects += object(childPath.path());
        }
        return objects;
    }
};

QDBusConnection* bus = nullptr;

void walkTree(benchmark::State& state, const QString& program)
{
    Walk walk{*bus, program};
    int objects = 0;
    for (auto _ : state)
        objects = walk.object(root);
    if (objects < 10)
        state.SkipWithError("the walk found fewer than 10 objects");
    state.counters["objects"] = objects;
    state.counters["calls"] =
        benchmark::Counter(double(walk.calls), benchmark::Counter::kAvgIterations);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::cerr << "usage: bench_accessibility_walk BUS_ADDRESS GUARDED_NAME ALONE_NAME\n";
        return 2;
    }
    QDBusConnection connection =
        QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"));
    if (!connection.isConnected()) {
        std::cerr << "cannot connect to the AT-SPI bus " << argv[1] << "\n";
        return 1;
    }
    bus = &connection;
    const QString guarded = QString::fromLocal8Bit(argv[2]);
    const QString alone = QString::fromLocal8Bit(argv[3]);

    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string repetitions = "--benchmark_repetitions=15";
    std::vector<char*> arguments{argv[0], interleave.data(), repetitions.data()};
    arguments.insert(arguments.end(), argv + 4, argv + argc);
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RegisterBenchmark("first_walk/guarded",
                                 [guarded](benchmark::State& s) { walkTree(s, guarded); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("first_walk/bridge_alone",
                                 [alone](benchmark::State& s) { walkTree(s, alone); })
        ->Unit(benchmark::kMillisecond);

    bench::MedianReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto withGuard = reporter.medians("first_walk/guarded");
    const auto bridgeAlone = reporter.medians("first_walk/bridge_alone");
    if (!withGuard || !bridgeAlone)
        return 1;
    std::cout << "\nfirst walk, median real time: guarded " << withGuard->realMicroseconds
              << " us, bridge alone " << bridgeAlone->realMicroseconds << " us\n"
              << "guarded / bridge alone: "
              << withGuard->realMicroseconds / bridgeAlone->realMicroseconds
              << " (goal: at most 1.10; the client's CPU time leaves out the program's)\n";
    return reporter.anyFailed() ? 1 : 0;
}
