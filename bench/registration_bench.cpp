// Cost of one registration, and of its parts, against the size of the host's
// file, beside the cost of copying that file once (read it, write it): the floor.
#include "hostconfig.h"
#include "platform.h"
#include "profile.h"
#include "text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// A host file of about size bytes (a settings block more at most): the
// device list between two halves of other settings, as in a long-lived file.
std::string HostFileOfSize(size_t size)
{
    std::string bytes = "[General]\r\nUnits=mm\r\n";
    int pen = 0;
    auto fillTo = [&](size_t limit) {
        while (bytes.size() < limit)
            bytes += "[Pen" + std::to_string(pen++) + "]\r\nColor=255,128,0\r\nWidth=0.35\r\nSpeed=40\r\n";
    };
    fillTo(size / 2);
    bytes += "[PlotterSetup]\r\nNumberDevices=3\r\nPlotter1=HPGL\r\nPlotter2=DMPL\r\nPlotter3=CAMM\r\n";
    fillTo(size);
    return bytes;
}

std::string ReadWhole(const std::string& path)
{
    std::string bytes;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return bytes;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, got);
    std::fclose(in);
    return bytes;
}

// Flushes the file's bytes to the disk, as a write that must survive a crash
// has to.
bool ToDisk(std::FILE* out)
{
    if (std::fflush(out) != 0)
        return false;
#ifdef _WIN32
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(out)))) != 0;
#else
    return fsync(fileno(out)) == 0;
#endif
}

bool WriteWhole(const std::string& path, const std::string& bytes, bool durable = false)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    written = written && (!durable || ToDisk(out));
    return std::fclose(out) == 0 && written;
}

struct BenchFolder {
    BenchFolder()
    {
        path = (fs::temp_directory_path() / "keltarn-bench").make_preferred().string();
        fs::create_directories(path);
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string File(const char* name) const { return path + pathSeparator + name; }
    std::string path;
};

void Registration(benchmark::State& state)
{
    BenchFolder folder;
    const std::string original = HostFileOfSize(static_cast<size_t>(state.range(0)));
    const std::string host = folder.File("Velmora5.ini");
    const std::string driver = std::string("Drivers") + pathSeparator + "CUTTER8.ini";
    for (auto _ : state) {
        state.PauseTiming();
        if (!WriteWhole(host, original)) {
            state.SkipWithError("cannot lay out the host file");
            break;
        }
        state.ResumeTiming();

        SearchHostConfig(folder.path.c_str());
        CopyText(driverPath, pathBufferSize, driver.c_str());
        AcceptDriverFile();
        if (RegisterDriver() != Added) {
            state.SkipWithError("registration failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Copy(benchmark::State& state, bool durable)
{
    BenchFolder folder;
    const std::string source = folder.File("Velmora5.ini");
    const std::string copy = folder.File("Velmora5.copy");
    if (!WriteWhole(source, HostFileOfSize(static_cast<size_t>(state.range(0)))))
        state.SkipWithError("cannot lay out the host file");
    for (auto _ : state) {
        if (!WriteWhole(copy, ReadWhole(source), durable)) {
            state.SkipWithError("copy failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void CopyOnce(benchmark::State& state)
{
    Copy(state, false);
}

// The floor for a writer that must survive a crash: the copy flushed to disk.
void CopyOnceToDisk(benchmark::State& state)
{
    Copy(state, true);
}

// The parts of a registration: the count read at start-up, and one write.
void ReadCount(benchmark::State& state)
{
    BenchFolder folder;
    if (!WriteWhole(folder.File("Velmora5.ini"), HostFileOfSize(static_cast<size_t>(state.range(0)))))
        state.SkipWithError("cannot lay out the host file");
    for (auto _ : state)
        if (!SearchHostConfig(folder.path.c_str()) || deviceCount != 3) {
            state.SkipWithError("count not read");
            break;
        }
}

void WriteOneKey(benchmark::State& state)
{
    BenchFolder folder;
    const std::string original = HostFileOfSize(static_cast<size_t>(state.range(0)));
    const std::string host = folder.File("Velmora5.ini");
    for (auto _ : state) {
        state.PauseTiming();
        if (!WriteWhole(host, original)) {
            state.SkipWithError("cannot lay out the host file");
            break;
        }
        state.ResumeTiming();
        if (!ProfileWriteString("PlotterSetup", "Plotter4", "CUTTER8", host.c_str())) {
            state.SkipWithError("write failed");
            break;
        }
    }
}

} // namespace

BENCHMARK(Registration)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyOnce)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyOnceToDisk)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadCount)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteOneKey)->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
