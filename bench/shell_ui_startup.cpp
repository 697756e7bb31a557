// Start-up of the workbench: from process start to a usable main window
// (bars, panes and status bar laid out, the event loop idle, no splash).
// The whole program run with --quit-after-start also includes the exit,
// which writes the settings file once; the start alone is measured inside
// one process, from the application object to the idle main window.

#include "plclink/ui/RegisterPlclinkUiClasses.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CZULApp.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kProcessTimeoutMs = 30000;

// A program of the build tree, by its path relative to this benchmark.
QString BuildTreeProgram(const char* relativePath)
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QString::fromUtf8(relativePath));
}

// Starts the program until it ends by itself, once per iteration.
void RunProgramToEnd(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    if (!QFileInfo::exists(program)) {
        state.SkipWithError("the program is not built");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(kProcessTimeoutMs) || process.exitCode() != 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
    }
}

void BM_ProcessStartToMainWindow(benchmark::State& state)
{
    RunProgramToEnd(state, BuildTreeProgram("../src/app/orvelbuilder"),
                    {QStringLiteral("--no-splash"), QStringLiteral("--quit-after-start")});
}
BENCHMARK(BM_ProcessStartToMainWindow)->Unit(benchmark::kMillisecond);

// The floor: a program that shows a bare QMainWindow the same way.
void BM_ProcessStartBareMainWindow(benchmark::State& state)
{
    RunProgramToEnd(state, BuildTreeProgram("bench_floor_bare_main_window"), {});
}
BENCHMARK(BM_ProcessStartBareMainWindow)->Unit(benchmark::kMillisecond);

void BM_InitInstanceToIdleWindow(benchmark::State& state)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    for (auto _ : state) {
        CZULApp app;
        if (!app.InitInstance({"--no-splash"})) {
            state.SkipWithError("start-up failed");
            return;
        }
        QCoreApplication::processEvents();
        state.PauseTiming();
        app.GetMainFrame()->DestroyWindow();
        QCoreApplication::processEvents();
        app.ExitInstance();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InitInstanceToIdleWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string error;
    if (!RegisterToolkitCommandBarsClasses(&error) || !RegisterPlclinkUiClasses(&error)
        || !RegisterShellUiClasses(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
