// What the accessibility guard costs a screen reader: the first walk of the
// main window's tree, as Orca makes it when the program comes up, against the
// program (its guard in front of the toolkit's bridge) and against the same
// program with the bridge alone, both on the AT-SPI bus that
// scripts/bench-accessibility.sh starts. Each benchmark also counts the CPU
// time the program itself spent per walk (from /proc), where the guard's own
// work shows apart from the bus's round trips.

#include "medians.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <benchmark/benchmark.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

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
        const QDBusMessage reply =
            call(path, properties, QStringLiteral("Get"), {accessible, name});
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

/// The CPU time, user and system, that a process has spent so far.
double cpuSecondsOf(const std::string& pid)
{
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    std::getline(stat, line);
    // The fields after the command's name in parentheses; utime and stime
    // are the 14th and 15th of the whole line.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int index = 3; fields >> field && index <= 15; ++index)
        if (index >= 14)
            ticks += std::stod(field);
    return ticks / double(sysconf(_SC_CLK_TCK));
}

void walkTree(benchmark::State& state, const QDBusConnection& bus, const QString& program,
              const std::string& pid)
{
    Walk walk{bus, program};
    int objects = 0;
    const double cpuBefore = cpuSecondsOf(pid);
    for (auto _ : state)
        objects = walk.object(root);
    if (objects < 10)
        state.SkipWithError("the walk found fewer than 10 objects");
    state.counters["objects"] = objects;
    state.counters["calls"] =
        benchmark::Counter(double(walk.calls), benchmark::Counter::kAvgIterations);
    state.counters["program_cpu_us"] =
        (cpuSecondsOf(pid) - cpuBefore) * 1e6 / double(state.iterations());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 6) {
        std::cerr << "usage: bench_accessibility_walk BUS_ADDRESS GUARDED_NAME GUARDED_PID "
                     "ALONE_NAME ALONE_PID\n";
        return 2;
    }
    const QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"));
    if (!bus.isConnected()) {
        std::cerr << "cannot connect to the AT-SPI bus " << argv[1] << "\n";
        return 1;
    }
    for (const auto& [name, program, pid] :
         {std::tuple{"first_walk/guarded", argv[2], argv[3]},
          std::tuple{"first_walk/bridge_alone", argv[4], argv[5]}})
        benchmark::RegisterBenchmark(name, walkTree, bus, QString::fromLocal8Bit(program),
                                     std::string(pid))
            ->Unit(benchmark::kMillisecond);
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 6, argv + argc);
    return bench::runBenchmarks(
        arguments, {"--benchmark_repetitions=15"},
        {"Medians of one first walk (real time, and the CPU time of the program walked)",
         {"real", "program_cpu_us"},
         {{"guarded", "first_walk/guarded"},
          {"bridge alone", "first_walk/bridge_alone"},
          {"guarded / bridge alone", "first_walk/guarded", {"first_walk/bridge_alone"}, 1.10}}});
}
