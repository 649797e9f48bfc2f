// The skin writer's costs: encoding the sixteen files, deflating them into an
// archive, and saving them against plain write() calls of the same bytes.
// Saves go to $TMPDIR (or /tmp): point it at the disk to be measured.
#include "tests/app/WorkbenchAccess.h"
#include "app/Workbench.h"
#include "app/qt/QtTextRasteriser.h"
#include "output/WszArchive.h"
#include "skin/MakeSkin.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A scratch folder for one benchmark, removed at its end.
struct BenchDir {
    fs::path path;
    BenchDir() {
        std::string pattern = (fs::temp_directory_path() / "vk-bench-save-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) ? pattern : throw std::runtime_error("mkdtemp failed");
    }
    ~BenchDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

void saveSkinAs(benchmark::State& s, vk::Durability durability) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    BenchDir dir;
    vk::SaveOptions options;
    options.archive = dir.path / "Sky.wsz";
    options.durability = durability;
    for (auto _ : s) vk::saveSkin(docOf(bench), dir.path, "Sky", options);
}

// The same seventeen files written with open/write/close, optionally each flushed.
void writeSameBytes(benchmark::State& s, bool fsyncEach) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    BenchDir dir;
    fs::create_directory(dir.path / "Sky");
    for (auto _ : s) {
        // Encoded inside the loop as the save does.
        std::vector<vk::SkinFile> files = vk::skinFiles(docOf(bench));
        files.push_back({"../Sky.wsz", vk::encodeWsz(files)});
        for (const vk::SkinFile& file : files) {
            const int fd = ::open((dir.path / "Sky" / file.name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (fd < 0 || ::write(fd, file.bytes.data(), file.bytes.size()) != ssize_t(file.bytes.size()))
                s.SkipWithError("write failed");
            if (fsyncEach) ::fsync(fd);
            ::close(fd);
        }
    }
}

// Ways to make seventeen new files durable before they are renamed into place.
enum class Flush { SyncFs, FsyncEach, StartAllThenDataSyncEach, DataSyncTogether };

void flushStaged(benchmark::State& s, Flush how) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    std::vector<vk::SkinFile> files = vk::skinFiles(docOf(bench));
    files.push_back({"Sky.wsz", vk::encodeWsz(files)});
    BenchDir dir;
    for (auto _ : s) {
        std::vector<int> fds;
        for (const vk::SkinFile& file : files) {
            const int fd = ::open((dir.path / (file.name + ".tmp")).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (fd < 0 || ::write(fd, file.bytes.data(), file.bytes.size()) != ssize_t(file.bytes.size()))
                s.SkipWithError("write failed");
            fds.push_back(fd);
        }
        if (how == Flush::SyncFs) ::syncfs(fds.front());
        if (how == Flush::FsyncEach)
            for (int fd : fds) ::fsync(fd);
        if (how == Flush::StartAllThenDataSyncEach) {
            for (int fd : fds) ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            for (int fd : fds) ::fdatasync(fd);
        }
        if (how == Flush::DataSyncTogether) {
            std::vector<std::thread> threads;
            for (int fd : fds) threads.emplace_back([fd] { ::fdatasync(fd); });
            for (std::thread& thread : threads) thread.join();
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            ::rename((dir.path / (files[i].name + ".tmp")).c_str(), (dir.path / files[i].name).c_str());
            ::close(fds[i]);
        }
        const int d = ::open(dir.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(d);
        ::close(d);
    }
}

} // namespace

static void BM_FlushStagedSyncFs(benchmark::State& s) { flushStaged(s, Flush::SyncFs); }
BENCHMARK(BM_FlushStagedSyncFs)->Unit(benchmark::kMillisecond)->UseRealTime();
static void BM_FlushStagedFsyncEach(benchmark::State& s) { flushStaged(s, Flush::FsyncEach); }
BENCHMARK(BM_FlushStagedFsyncEach)->Unit(benchmark::kMillisecond)->UseRealTime();
static void BM_FlushStagedStartAllThenDataSyncEach(benchmark::State& s) { flushStaged(s, Flush::StartAllThenDataSyncEach); }
BENCHMARK(BM_FlushStagedStartAllThenDataSyncEach)->Unit(benchmark::kMillisecond)->UseRealTime();
static void BM_FlushStagedDataSyncTogether(benchmark::State& s) { flushStaged(s, Flush::DataSyncTogether); }
BENCHMARK(BM_FlushStagedDataSyncTogether)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_EncodeSkinFiles(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    for (auto _ : s) benchmark::DoNotOptimize(vk::skinFiles(docOf(bench)));
}
BENCHMARK(BM_EncodeSkinFiles);

static void BM_EncodeWsz(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    const auto files = vk::skinFiles(docOf(bench));
    for (auto _ : s) benchmark::DoNotOptimize(vk::encodeWsz(files));
}
BENCHMARK(BM_EncodeWsz);

static void BM_SaveSkinAndWszDurable(benchmark::State& s) { saveSkinAs(s, vk::Durability::Synced); }
BENCHMARK(BM_SaveSkinAndWszDurable)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_SaveSkinAndWszNoSync(benchmark::State& s) { saveSkinAs(s, vk::Durability::Unsynced); }
BENCHMARK(BM_SaveSkinAndWszNoSync)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_PlainWritesSameBytes(benchmark::State& s) { writeSameBytes(s, false); }
BENCHMARK(BM_PlainWritesSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_PlainWritesSameBytesFsyncEach(benchmark::State& s) { writeSameBytes(s, true); }
BENCHMARK(BM_PlainWritesSameBytesFsyncEach)->Unit(benchmark::kMillisecond)->UseRealTime();
