#pragma once

// A main that runs Google Benchmark inside a Qt application.

#include <QCoreApplication>

#include <benchmark/benchmark.h>

// Runs the registered benchmarks inside an application of type App
// (QCoreApplication, or QApplication for widgets).
template <class App>
int runBenchmarks(int argc, char **argv)
{
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
