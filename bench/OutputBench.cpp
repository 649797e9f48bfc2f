// The skin writer's costs: encoding the sixteen files, deflating them into an
// archive, and saving them against plain write() calls of the same bytes.
// Saves go to $TMPDIR (or /tmp): point it at the disk to be measured.
#include "app/Workbench.h"
#include "app/QtTextRasteriser.h"
#include "output/WszArchive.h"
#include "skin/MakeSkin.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
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
    for (auto _ : s) vk::saveSkin(bench, dir.path, "Sky", options);
}

// The same seventeen files written with open/write/close, optionally each flushed.
void writeSameBytes(benchmark::State& s, bool fsyncEach) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    BenchDir dir;
    fs::create_directory(dir.path / "Sky");
    for (auto _ : s) {
        // Encoded inside the loop as the save does.
        std::vector<vk::SkinFile> files = vk::skinFiles(bench);
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

} // namespace

static void BM_EncodeSkinFiles(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    for (auto _ : s) benchmark::DoNotOptimize(vk::skinFiles(bench));
}
BENCHMARK(BM_EncodeSkinFiles);

static void BM_EncodeWsz(benchmark::State& s) {
    vk::Workbench bench{vk::qtTextRasteriser()};
    vk::MakeSkinClick(bench);
    const auto files = vk::skinFiles(bench);
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
