// Throughput of writing and reading an archive of mixed data, against calling zlib directly
// (raw deflate at the default level, inflate and CRC-32) on the same entries.
//   bench_zip [megabytes]   (default 8)
#include "assembly/zipfile.h"

#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Book-like text, pictures (noise) and runs of zeros, in entries of 1 KB to 256 KB.
std::vector<std::string> MakeEntries(size_t total) {
  std::mt19937 rng(12345);
  static const char* words[] = {"the", "reader", "phone", "midlet", "chapter", "night", "sea", "of", "and", "a"};
  std::vector<std::string> entries;
  size_t made = 0;
  while (made < total) {
    size_t size = 1024 + rng() % (256 * 1024);
    std::string e;
    e.reserve(size);
    switch (entries.size() % 3) {
      case 0:
        while (e.size() < size) {
          e += words[rng() % 10];
          e += rng() % 12 ? ' ' : '\n';
        }
        break;
      case 1:
        while (e.size() < size) e += static_cast<char>(rng() & 0xFF);
        break;
      default:
        e.assign(size, '\0');
        for (size_t i = 0; i < size; i += 97) e[i] = static_cast<char>(i);
    }
    e.resize(size);
    made += size;
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string RawDeflate(const std::string& data) {
  z_stream zs{};
  deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, data.size()), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

std::string RawInflate(const std::string& data, size_t size) {
  std::string out(size, '\0');
  z_stream zs{};
  inflateInit2(&zs, -MAX_WBITS);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  inflate(&zs, Z_FINISH);
  inflateEnd(&zs);
  return out;
}

template <typename F>
double BestSeconds(int runs, F f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    auto t0 = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 8;
  const std::vector<std::string> entries = MakeEntries(mb * 1024 * 1024);
  size_t total = 0;
  for (const std::string& e : entries) total += e.size();
  const std::string path = (std::filesystem::temp_directory_path() / "bench_zip.jar").string();
  const int runs = 5;
  volatile uint32_t sink = 0;

  // Writing: add, deflate and save the whole archive.
  double ourWrite = BestSeconds(runs, [&] {
    assembly::TZipFile zip;
    for (size_t i = 0; i < entries.size(); ++i) {
      zip.AddFile("res/entry" + std::to_string(i) + ".bin", 0);
      zip.WriteEntryData(zip.Count() - 1, entries[i]);
    }
    zip.SaveToFile(path);
  });
  std::vector<std::string> deflated(entries.size());
  double zlibWrite = BestSeconds(runs, [&] {
    for (size_t i = 0; i < entries.size(); ++i) {
      deflated[i] = RawDeflate(entries[i]);
      sink = sink + static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entries[i].data()), entries[i].size()));
    }
  });

  // Reading: load the file and inflate and check every entry.
  double ourRead = BestSeconds(runs, [&] {
    assembly::TZipFile zip;
    zip.LoadFromFile(path);
    std::string data;
    for (int i = 0; i < zip.Count(); ++i) {
      zip.ReadEntryData(i, data);
      sink = sink + static_cast<uint32_t>(data.size());
    }
  });
  double zlibRead = BestSeconds(runs, [&] {
    for (size_t i = 0; i < entries.size(); ++i) {
      std::string data = RawInflate(deflated[i], entries[i].size());
      sink = sink + static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), data.size()));
    }
  });

  const uintmax_t archiveSize = std::filesystem::file_size(path);
  std::filesystem::remove(path);
  const double mbytes = static_cast<double>(total) / (1024.0 * 1024.0);
  std::printf("archive: %zu entries, %.1f MB of data, %.1f MB packed\n", entries.size(), mbytes,
              static_cast<double>(archiveSize) / (1024.0 * 1024.0));
  std::printf("write: TZipFile %7.1f MB/s   zlib %7.1f MB/s   ratio %.3f\n", mbytes / ourWrite, mbytes / zlibWrite,
              zlibWrite / ourWrite);
  std::printf("read:  TZipFile %7.1f MB/s   zlib %7.1f MB/s   ratio %.3f\n", mbytes / ourRead, mbytes / zlibRead,
              zlibRead / ourRead);
  std::printf("(ratio = TZipFile throughput / zlib throughput; best of %d runs)\n", runs);
  return 0;
}
