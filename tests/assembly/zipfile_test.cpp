#include "assembly/zipfile.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <functional>
#include <random>

// Hand-made entries name only the fields that matter.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace assembly;
using namespace testing_support;

namespace {

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Patch32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Patch16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

std::string RawDeflate(const std::string& data, int level = 9) {
  z_stream zs{};
  deflateInit2(&zs, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
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

// One entry of a hand-made archive; sizes and CRC default to the true values.
struct RawEntry {
  std::string name;
  std::string data;  // uncompressed
  uint16_t method = 8;
  std::string localExtra, centralExtra;
  int64_t crc = -1, compressedSize = -1, uncompressedSize = -1;
};

struct RawArchive {
  std::string bytes;
  std::vector<size_t> localOffsets, centralOffsets;
  size_t endOffset = 0;
};

// Writes an archive field by field, so that tests can lie in any field.
RawArchive MakeArchive(const std::vector<RawEntry>& entries, const std::string& comment = "") {
  RawArchive a;
  std::vector<std::string> stored;
  for (const RawEntry& e : entries) {
    std::string payload = e.method == 0 ? e.data : RawDeflate(e.data);
    stored.push_back(payload);
    a.localOffsets.push_back(a.bytes.size());
    std::string& s = a.bytes;
    Put32(s, 0x04034B50);
    Put16(s, 20); Put16(s, 0); Put16(s, e.method); Put32(s, 0x5A8C6000);
    Put32(s, e.crc >= 0 ? uint32_t(e.crc) : uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), e.data.size())));
    Put32(s, e.compressedSize >= 0 ? uint32_t(e.compressedSize) : uint32_t(payload.size()));
    Put32(s, e.uncompressedSize >= 0 ? uint32_t(e.uncompressedSize) : uint32_t(e.data.size()));
    Put16(s, e.name.size()); Put16(s, e.localExtra.size());
    s += e.name + e.localExtra + payload;
  }
  size_t cd = a.bytes.size();
  for (size_t i = 0; i < entries.size(); ++i) {
    const RawEntry& e = entries[i];
    a.centralOffsets.push_back(a.bytes.size());
    std::string& s = a.bytes;
    Put32(s, 0x02014B50); Put16(s, 20);
    Put16(s, 20); Put16(s, 0); Put16(s, e.method); Put32(s, 0x5A8C6000);
    Put32(s, e.crc >= 0 ? uint32_t(e.crc) : uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), e.data.size())));
    Put32(s, e.compressedSize >= 0 ? uint32_t(e.compressedSize) : uint32_t(stored[i].size()));
    Put32(s, e.uncompressedSize >= 0 ? uint32_t(e.uncompressedSize) : uint32_t(e.data.size()));
    Put16(s, e.name.size()); Put16(s, e.centralExtra.size());
    Put16(s, 0); Put16(s, 0); Put16(s, 0); Put32(s, 0x20); Put32(s, uint32_t(a.localOffsets[i]));
    s += e.name + e.centralExtra;
  }
  a.endOffset = a.bytes.size();
  Put32(a.bytes, 0x06054B50);
  Put16(a.bytes, 0); Put16(a.bytes, 0);
  Put16(a.bytes, entries.size()); Put16(a.bytes, entries.size());
  Put32(a.bytes, uint32_t(a.endOffset - cd)); Put32(a.bytes, uint32_t(cd));
  Put16(a.bytes, comment.size());
  a.bytes += comment;
  return a;
}

std::string MixedData(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s;
  s.reserve(size);
  while (s.size() < size) {
    if (rng() % 2) {
      s += "The quick brown fox jumps over the lazy dog. ";
    } else {
      for (int i = 0; i < 40; ++i) s += static_cast<char>(rng() & 0xFF);
    }
  }
  s.resize(size);
  return s;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EZipFileError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(ZipCrc32, KnownValues) {
  EXPECT_EQ(ZipCrc32(""), 0u);
  EXPECT_EQ(ZipCrc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(ZipCrc32(std::string(1, '\0')), 0xD202EF8Du);
}

TEST(ZipFile, SavedArchiveLoadsBackWithSameEntries) {
  TempDir dir;
  const std::map<std::string, std::string> files = {
      {"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\n"},
      {"res/empty.txt", ""},
      {"res\\back\\slash.bin", MixedData(150000, 1)},
      {"res/1.png", MixedData(777, 2)},
  };
  TZipFile zip;
  uint32_t attr = 0x20;
  for (const auto& [name, data] : files) {
    zip.AddFile(name, attr++);
    zip.WriteEntryData(zip.Count() - 1, data);
  }
  zip.SetComment("made by a test");
  const int64_t predicted = zip.ArchiveSize();
  zip.SaveToFile(dir.File("a.jar"));
  EXPECT_EQ(predicted, static_cast<int64_t>(std::filesystem::file_size(dir.File("a.jar"))));
  EXPECT_EQ(zip.ArchiveSize(), predicted);

  TZipFile back;
  back.LoadFromFile(dir.File("a.jar"));
  ASSERT_EQ(back.Count(), static_cast<int>(files.size()));
  EXPECT_EQ(back.Comment(), "made by a test");
  EXPECT_EQ(back.ArchiveSize(), predicted);
  attr = 0x20;
  int i = 0;
  for (const auto& [name, data] : files) {
    EXPECT_EQ(back.FileName(i), name);
    EXPECT_EQ(back.FileHeader(i).ExternalAttributes, attr++);
    EXPECT_EQ(back.LocalFile(i).Common.CRC32, ZipCrc32(data));
    EXPECT_EQ(back.FileHeader(i).Common.Method, 8);
    EXPECT_EQ(back.ReadEntryData(i), data) << name;
    ++i;
  }
  // Offsets were filled in on saving: each points at its local record.
  EXPECT_EQ(back.FileHeader(0).LocalHeaderOffset, 0u);
  EXPECT_GT(back.FileHeader(1).LocalHeaderOffset, 0u);
}

TEST(ZipFile, EmptyDataIsTheTwoByteDeflateStream) {
  TZipFile zip;
  zip.AddFile("e", 0);
  zip.WriteEntryData(0, "");
  const TLocalFile& l = zip.LocalFile(0);
  EXPECT_EQ(l.Common.Method, 8);
  EXPECT_EQ(l.Common.CRC32, 0u);
  EXPECT_EQ(l.CompressedData, std::string("\x03\x00", 2));
  EXPECT_EQ(zip.ReadEntryData(0), "");
}

TEST(ZipFile, DeleteLastRestoresTheSize) {
  TZipFile zip;
  zip.AddFile("a", 0);
  zip.WriteEntryData(0, "first");
  const int64_t before = zip.ArchiveSize();
  zip.AddFile("res/book1.txt", 0);
  zip.WriteEntryData(1, MixedData(5000, 3));
  EXPECT_GT(zip.ArchiveSize(), before);
  zip.DeleteLast();
  EXPECT_EQ(zip.Count(), 1);
  EXPECT_EQ(zip.ArchiveSize(), before);
  EXPECT_EQ(TZipFile().ArchiveSize(), 22);
  // Rewriting an entry and clearing the archive: the size is still what a save writes.
  testing_support::TempDir dir;
  zip.WriteEntryData(0, MixedData(3000, 5));
  zip.AddFile("b", 0);
  zip.WriteEntryData(1, "x");
  zip.WriteEntryData(1, MixedData(100, 6));
  const int64_t predicted = zip.ArchiveSize();
  zip.SaveToFile(dir.File("r.jar"));
  EXPECT_EQ(predicted, static_cast<int64_t>(std::filesystem::file_size(dir.File("r.jar"))));
  zip.Clear();
  EXPECT_EQ(zip.ArchiveSize(), 22);
}

TEST(ZipFile, PackedDataIsStoredAsWriteEntryDataStoresIt) {
  const std::string data = "123456789" + MixedData(20000, 4);
  const TPackedData packed = PackEntryData(data);
  EXPECT_EQ(packed.CompressedData, RawDeflate(data, 6));  // zlib's default level, raw
  EXPECT_EQ(packed.UncompressedSize, data.size());
  EXPECT_EQ(PackEntryData("123456789").CRC32, 0xCBF43926u);

  // Stored twice from one packing, and once deflated directly: the same records.
  TZipFile direct, reused;
  direct.AddFile("res/1.png", 0);
  direct.WriteEntryData(0, data);
  for (const char* name : {"res/1.png", "res/2.png"}) {
    reused.AddFile(name, 0);
    reused.WritePackedData(reused.Count() - 1, packed);
  }
  for (int i : {0, 1}) {
    const TLocalFile& l = reused.LocalFile(i);
    const TCommonFileHeader& want = direct.LocalFile(0).Common;
    EXPECT_EQ(l.Common.Method, 8);
    EXPECT_EQ(l.Common.CRC32, want.CRC32);
    EXPECT_EQ(l.Common.CompressedSize, want.CompressedSize);
    EXPECT_EQ(l.Common.UncompressedSize, want.UncompressedSize);
    EXPECT_EQ(l.Common.FileNameLength, 9);
    EXPECT_EQ(l.CompressedData, direct.LocalFile(0).CompressedData);
    EXPECT_EQ(reused.FileHeader(i).Common.CRC32, want.CRC32);
    EXPECT_EQ(reused.FileHeader(i).Common.CompressedSize, want.CompressedSize);
    EXPECT_EQ(reused.FileHeader(i).FileName, reused.FileName(i));
    EXPECT_EQ(reused.ReadEntryData(i), data);
  }
  EXPECT_EQ(reused.ArchiveSize(), direct.ArchiveSize() * 2 - 22);  // one end record
  // Each entry: a 30-byte local and a 46-byte central record, the name in both, the data.
  EXPECT_EQ(ZipEntrySize("res/1.png", packed.CompressedData.size()), direct.ArchiveSize() - 22);
  EXPECT_EQ(ZipEntrySize("res/1.png", 0), 30 + 46 + 2 * 9);
  TZipFile back;
  back.LoadFromBytes(reused.SaveToBytes());
  EXPECT_EQ(back.ReadEntryData(1), data);
  EXPECT_EQ(ErrorOf([&] { reused.WritePackedData(2, packed); }), "Index out of range.");
}

TEST(ZipFile, BadIndexIsRefused) {
  TZipFile zip;
  zip.AddFile("a", 0);
  for (int i : {-1, 1, 1000}) {
    EXPECT_EQ(ErrorOf([&] { zip.ReadEntryData(i); }), "Index out of range.");
    EXPECT_EQ(ErrorOf([&] { zip.WriteEntryData(i, "x"); }), "Index out of range.");
  }
}

TEST(ZipFile, StoredEntryIsReturnedWithoutCrcCheck) {
  RawArchive a = MakeArchive({{.name = "s", .data = "stored bytes", .method = 0, .crc = 0x12345678}});
  TZipFile zip;
  zip.LoadFromBytes(a.bytes);
  EXPECT_EQ(zip.ReadEntryData(0), "stored bytes");
}

TEST(ZipFile, InflateFaultsAreCrcErrors) {
  const std::string text = MixedData(3000, 4);
  struct Case { const char* what; RawEntry entry; };
  const Case cases[] = {
      {"wrong crc", {.name = "a.txt", .data = text, .crc = 1}},
      {"declared longer, crc 0", {.name = "b.txt", .data = text, .crc = 0, .uncompressedSize = 3001}},
      {"declared longer", {.name = "c.txt", .data = text, .uncompressedSize = 100000}},
      {"declared 4 GiB", {.name = "d.txt", .data = text, .uncompressedSize = 0xFFFFFFFF}},
      {"declared shorter", {.name = "e.txt", .data = text, .uncompressedSize = 2999}},
  };
  for (const Case& c : cases) {
    TZipFile zip;
    zip.LoadFromBytes(MakeArchive({c.entry}).bytes);
    try {
      zip.ReadEntryData(0);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EZipFileCRCError& e) {
      EXPECT_EQ(std::string(e.what()), "CRC Error in \"" + c.entry.name + "\".") << c.what;
    }
  }
}

TEST(ZipFile, CorruptDeflateDataIsAnError) {
  RawArchive a = MakeArchive({{.name = "z", .data = MixedData(2000, 5)}});
  // A block type of 3 is invalid.
  a.bytes[a.localOffsets[0] + 31] = static_cast<char>(0x07);
  TZipFile zip;
  zip.LoadFromBytes(a.bytes);
  EXPECT_THROW(zip.ReadEntryData(0), EZipFileError);
}

TEST(ZipFile, DataIsReadWhereTheLocalHeaderSaysIt) {
  // Archivers often write a longer extra field in the local header than in the central one.
  const std::string data = MixedData(1000, 6);
  RawArchive a = MakeArchive({{.name = "x/one", .data = data, .localExtra = std::string(28, 'L'), .centralExtra = "C1234"},
                              {.name = "two", .data = "second", .method = 0}});
  TZipFile zip;
  zip.LoadFromBytes(a.bytes);
  EXPECT_EQ(zip.ReadEntryData(0), data);
  EXPECT_EQ(zip.ReadEntryData(1), "second");
  EXPECT_EQ(zip.LocalFile(0).ExtraField, "C1234");
  // Saved again, local and central records agree and the archive still reads.
  TZipFile again;
  again.LoadFromBytes(zip.SaveToBytes());
  EXPECT_EQ(again.ReadEntryData(0), data);
  EXPECT_EQ(again.ArchiveSize(), zip.ArchiveSize());
}

TEST(ZipFile, CommentWindowIs260Bytes) {
  RawEntry e{.name = "a", .data = "abc"};
  TZipFile zip;
  zip.LoadFromBytes(MakeArchive({e}, std::string(260, 'c')).bytes);
  EXPECT_EQ(zip.Comment(), std::string(260, 'c'));
  EXPECT_EQ(zip.ReadEntryData(0), "abc");
  EXPECT_EQ(ErrorOf([&] { zip.LoadFromBytes(MakeArchive({e}, std::string(261, 'c')).bytes); }),
            "Unable to find end of central directory");
  EXPECT_EQ(zip.Count(), 0);
  for (std::string shortFile : {std::string(), std::string("PK\x05\x06", 4), std::string(21, '\0'), std::string(5000, 'x')})
    EXPECT_EQ(ErrorOf([&] { zip.LoadFromBytes(shortFile); }), "Unable to find end of central directory");
}

TEST(ZipFile, MalformedFieldsFailCleanly) {
  const std::vector<RawEntry> entries = {{.name = "first.txt", .data = MixedData(500, 7)},
                                         {.name = "second.txt", .data = "2nd", .method = 0}};
  const RawArchive good = MakeArchive(entries);
  struct Case { const char* what; std::function<void(std::string&, const RawArchive&)> spoil; std::string message; };
  const Case cases[] = {
      {"central directory offset past the end", [](std::string& s, const RawArchive& a) { Patch32(s, a.endOffset + 16, 0x7FFFFFFF); },
       "Central directory lies past the end of the archive"},
      {"too many entries for the file", [](std::string& s, const RawArchive& a) { Patch16(s, a.endOffset + 10, 0xFFFF); },
       "Central directory lies past the end of the archive"},
      {"comment length past the end", [](std::string& s, const RawArchive& a) { Patch16(s, a.endOffset + 20, 10); },
       "Archive comment lies past the end of the archive"},
      {"central signature missing", [](std::string& s, const RawArchive& a) { s[a.centralOffsets[1]] = 'X'; },
       "Unable to find central directory"},
      {"name length past the end", [](std::string& s, const RawArchive& a) { Patch16(s, a.centralOffsets[1] + 28, 0xFFFF); },
       "Central directory entry lies past the end of the archive"},
      {"comment of entry past the end", [](std::string& s, const RawArchive& a) { Patch16(s, a.centralOffsets[1] + 32, 500); },
       "Central directory entry lies past the end of the archive"},
      {"local offset past the end", [](std::string& s, const RawArchive& a) { Patch32(s, a.centralOffsets[1] + 42, 0xFFFFFFF0); },
       "Unable to find local header of \"second.txt\""},
      {"local signature missing", [](std::string& s, const RawArchive& a) { s[a.localOffsets[1] + 1] = 'Q'; },
       "Unable to find local header of \"second.txt\""},
      {"compressed size past the end", [](std::string& s, const RawArchive& a) { Patch32(s, a.centralOffsets[0] + 20, 0xFFFFFFFF); },
       "Data of \"first.txt\" lies past the end of the archive"},
      {"local extra length past the end", [](std::string& s, const RawArchive& a) { Patch16(s, a.localOffsets[1] + 28, 0xFFFF); },
       "Data of \"second.txt\" lies past the end of the archive"},
  };
  for (const Case& c : cases) {
    std::string bytes = good.bytes;
    c.spoil(bytes, good);
    TZipFile zip;
    EXPECT_EQ(ErrorOf([&] { zip.LoadFromBytes(bytes); }), c.message) << c.what;
    EXPECT_EQ(zip.Count(), 0) << c.what;
    EXPECT_EQ(zip.ArchiveSize(), 22) << c.what;
  }
}

// Every cut and every flipped byte of a small archive gives an error or readable entries,
// never a crash or an over-read (the sanitizers watch).
TEST(ZipFile, TruncatedAndFlippedArchivesNeverCrash) {
  TZipFile src;
  src.AddFile("META-INF/MANIFEST.MF", 0);
  src.WriteEntryData(0, "Manifest-Version: 1.0\r\n");
  src.AddFile("res/book1.txt", 0);
  src.WriteEntryData(1, MixedData(300, 8));
  src.SetComment("c");
  const std::string good = src.SaveToBytes();
  for (size_t cut = 0; cut < good.size(); ++cut) {
    TZipFile zip;
    EXPECT_THROW(zip.LoadFromBytes(std::string_view(good).substr(0, cut)), EZipFileError) << cut;
  }
  for (size_t at = 0; at < good.size(); ++at) {
    for (unsigned char mask : {0x01, 0x80, 0xFF}) {
      std::string bytes = good;
      bytes[at] = static_cast<char>(bytes[at] ^ mask);
      TZipFile zip;
      try {
        zip.LoadFromBytes(bytes);
        for (int i = 0; i < zip.Count(); ++i) {
          try {
            zip.ReadEntryData(i);
          } catch (const EZipFileError&) {
          }
        }
      } catch (const EZipFileError&) {
      }
    }
  }
}

TEST(ZipFile, SaveRefusesMoreThan65535Entries) {
  TempDir dir;
  TZipFile zip;
  for (int i = 0; i < 65536; ++i) zip.AddFile(std::string("f").append(std::to_string(i)), 0);
  EXPECT_EQ(ErrorOf([&] { zip.SaveToFile(dir.File("many.zip")); }), "Too many entries for an archive: 65536");
  EXPECT_FALSE(std::filesystem::exists(dir.File("many.zip")));
  zip.DeleteLast();
  zip.SaveToFile(dir.File("many.zip"));
  TZipFile back;
  back.LoadFromFile(dir.File("many.zip"));
  EXPECT_EQ(back.Count(), 65535);
  EXPECT_EQ(back.FileName(65534), "f65534");
}

// More entries than the end record's 16-bit counts hold, written three ways: with ZIP64 end
// records as Python and Info-ZIP write them, with the counts at 0xFFFF, and wrapped around.
TEST(ZipFile, MoreThan65535EntriesAreRefused) {
  const std::string refused = "The archive holds more than 65535 entries (ZIP64), which this program cannot read";
  std::vector<RawEntry> entries(70000);
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].name = "f" + std::to_string(i);
    entries[i].method = 0;
  }
  const RawArchive wrapped = MakeArchive(entries);  // counts 70000 mod 65536 = 4464
  const std::string head = wrapped.bytes.substr(0, wrapped.endOffset);
  const uint32_t cd = uint32_t(wrapped.centralOffsets[0]);
  const uint32_t cdSize = uint32_t(wrapped.endOffset - cd);

  auto end = [&](uint32_t count) {
    std::string e;
    Put32(e, 0x06054B50); Put16(e, 0); Put16(e, 0); Put16(e, count); Put16(e, count);
    Put32(e, cdSize); Put32(e, cd); Put16(e, 0);
    return e;
  };
  std::string zip64 = head;
  const size_t zip64End = zip64.size();
  Put32(zip64, 0x06064B50); Put32(zip64, 44); Put32(zip64, 0);  // record size, u64
  Put16(zip64, 45); Put16(zip64, 45); Put32(zip64, 0); Put32(zip64, 0);
  for (uint32_t v : {70000u, 0u, 70000u, 0u, cdSize, 0u, cd, 0u}) Put32(zip64, v);  // u64 fields
  Put32(zip64, 0x07064B50); Put32(zip64, 0); Put32(zip64, uint32_t(zip64End)); Put32(zip64, 0);
  Put32(zip64, 1);
  zip64 += end(0xFFFF);

  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {{"zip64", zip64}, {"counts at 0xFFFF", head + end(0xFFFF)}, {"wrapped", wrapped.bytes}};
  for (const auto& c : cases) {
    TZipFile zip;
    EXPECT_EQ(ErrorOf([&] { zip.LoadFromBytes(c.bytes); }), refused) << c.name;
    EXPECT_EQ(zip.Count(), 0) << c.name;
    WriteFile(dir.File("many.zip"), c.bytes);
    EXPECT_EQ(ErrorOf([&] { zip.LoadFromFile(dir.File("many.zip")); }), refused) << c.name;
  }

  // The locator's signature inside the central directory (an extra field at its end) is data.
  RawEntry quiet{"a.txt", "abc"};
  quiet.centralExtra = std::string("PK\x06\x07", 4) + std::string(16, '\0');
  TZipFile plain;
  plain.LoadFromBytes(MakeArchive({quiet}).bytes);
  EXPECT_EQ(plain.Count(), 1);
}

// The same from Python's own writer, which turns to ZIP64 past 65535 entries.
TEST(ZipFile, MoreThan65535EntriesFromPythonAreRefused) {
  QW_REQUIRE_TOOL("python3");
  TempDir dir;
  const std::string path = dir.File("python.zip");
  ASSERT_EQ(RunCommand("python3 -c \"import sys, zipfile\n"
                       "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                       "    for i in range(70000): z.writestr('f%d' % i, '')\" " +
                       ShellQuote(path)),
            0);
  TZipFile zip;
  EXPECT_EQ(ErrorOf([&] { zip.LoadFromFile(path); }),
            "The archive holds more than 65535 entries (ZIP64), which this program cannot read");
}

// Info-ZIP writes ZIP64 records for an entry read from standard input: one entry, not too many.
TEST(ZipFile, AZip64ArchiveOfFewEntriesIsNamedAsOne) {
  QW_REQUIRE_TOOL("zip");
  TempDir dir;
  const std::string path = dir.File("stdin.zip");
  ASSERT_EQ(RunCommand("echo hi | zip -q - - > " + ShellQuote(path)), 0);
  TZipFile zip;
  EXPECT_EQ(ErrorOf([&] { zip.LoadFromFile(path); }), "The archive is a ZIP64 archive, which this program cannot read");
  EXPECT_EQ(zip.Count(), 0);
}

// Entries packed by another method than stored or deflate are named with their method, from
// Info-ZIP's bzip2 and from hand-made records.
TEST(ZipFile, AnEntryOfAnotherMethodNamesItsMethod) {
  const std::string tail = ", which this program cannot read; only stored and deflated entries can be read";
  struct Case {
    uint16_t method;
    std::string message;
  };
  const Case cases[] = {
      {14, "The entry \"a.txt\" is compressed with LZMA (method 14)" + tail},
      {9, "The entry \"a.txt\" is compressed with Deflate64 (method 9)" + tail},
      {3, "The entry \"a.txt\" is compressed with method 3" + tail},
  };
  for (const Case& c : cases) {
    RawEntry entry{"a.txt", "abc"};
    entry.method = c.method;
    TZipFile zip;
    zip.LoadFromBytes(MakeArchive({entry}).bytes);
    EXPECT_EQ(ErrorOf([&] { zip.ReadEntryData(0); }), c.message) << c.method;
  }

  QW_REQUIRE_TOOL("zip");
  TempDir dir;
  std::string lines;
  for (int i = 0; i < 2000; ++i) lines += std::to_string(i) + "\n";
  WriteFile(dir.File("book.txt"), lines);
  ASSERT_EQ(RunCommand("cd " + ShellQuote(dir.Path().string()) + " && zip -q -Z bzip2 b.zip book.txt"), 0);
  TZipFile zip;
  zip.LoadFromFile(dir.File("b.zip"));
  ASSERT_EQ(zip.Count(), 1);
  EXPECT_EQ(ErrorOf([&] { zip.ReadEntryData(0); }),
            "The entry \"book.txt\" is compressed with bzip2 (method 12)" + tail);
}

TEST(ZipFile, FileErrorsNameTheFile) {
  TempDir dir;
  TZipFile zip;
  std::string msg = ErrorOf([&] { zip.LoadFromFile(dir.File("missing.dat")); });
  EXPECT_NE(msg.find("missing.dat"), std::string::npos) << msg;
  msg = ErrorOf([&] { zip.LoadFromFile(dir.Path().string()); });
  EXPECT_NE(msg.find(dir.Path().string()), std::string::npos) << msg;
  zip.AddFile("a", 0);
  msg = ErrorOf([&] { zip.SaveToFile(dir.File("no/such/folder/a.jar")); });
  EXPECT_NE(msg.find("a.jar"), std::string::npos) << msg;
}

// Archives of other tools load and read back byte-exact; ours pass their checks.
class ZipInterop : public ::testing::Test {
protected:
  void SetUp() override {
    files_ = {
        {"readme.txt", "Plain text\r\nwith two lines\r\n"},
        {"empty.bin", ""},
        {"sub/data.bin", MixedData(200000, 9)},
        {"sub/deeper/small.txt", "x"},
    };
    for (const auto& [name, data] : files_) WriteFile(dir_.File("src/" + name), data);
  }

  void ExpectSameFiles(const TZipFile& zip, bool dirsListed) {
    std::map<std::string, std::string> seen;
    for (int i = 0; i < zip.Count(); ++i) {
      const std::string& name = zip.FileName(i);
      std::string data = zip.ReadEntryData(i);
      if (!name.empty() && name.back() == '/') {
        EXPECT_EQ(data, "") << name;
        continue;
      }
      seen[name] = data;
    }
    for (const auto& [name, data] : files_) {
      auto it = seen.find(name);
      ASSERT_NE(it, seen.end()) << name;
      EXPECT_TRUE(it->second == data) << name << " differs";
    }
    if (dirsListed) {
      EXPECT_GT(zip.Count(), static_cast<int>(files_.size()));
    }
  }

  std::string WriteOurs();

  TempDir dir_;
  std::map<std::string, std::string> files_;
};

TEST_F(ZipInterop, InfoZipArchivesLoad) {
  QW_REQUIRE_TOOL("zip");
  for (std::string flags : {"-r", "-r -X", "-r -9 -D"}) {
    std::string out;
    const std::string zipPath = dir_.File("info.zip");
    std::filesystem::remove(zipPath);
    ASSERT_EQ(RunCommand("cd " + ShellQuote(dir_.File("src")) + " && zip -q " + flags + " " + ShellQuote(zipPath) + " .", &out), 0) << out;
    TZipFile zip;
    zip.LoadFromFile(zipPath);
    ExpectSameFiles(zip, flags.find("-D") == std::string::npos);
  }
}

TEST_F(ZipInterop, PythonArchivesLoad) {
  QW_REQUIRE_TOOL("python3");
  const std::string script = R"PY(
import sys, zipfile, os
src, dst, comment = sys.argv[1], sys.argv[2], int(sys.argv[3])
with zipfile.ZipFile(dst, "w") as z:
    z.writestr(zipfile.ZipInfo("sub/"), b"")
    z.writestr(zipfile.ZipInfo("sub/deeper/"), b"")
    for i, name in enumerate(["readme.txt", "empty.bin", "sub/data.bin", "sub/deeper/small.txt"]):
        method = zipfile.ZIP_STORED if i % 2 else zipfile.ZIP_DEFLATED
        z.write(os.path.join(src, name), name, compress_type=method)
    z.comment = b"k" * comment
)PY";
  WriteFile(dir_.File("make.py"), script);
  for (int comment : {0, 260, 261}) {
    std::string out;
    const std::string zipPath = dir_.File("py.zip");
    ASSERT_EQ(RunCommand("python3 " + ShellQuote(dir_.File("make.py")) + " " + ShellQuote(dir_.File("src")) + " " +
                      ShellQuote(zipPath) + " " + std::to_string(comment), &out), 0) << out;
    TZipFile zip;
    if (comment > 260) {
      EXPECT_EQ(ErrorOf([&] { zip.LoadFromFile(zipPath); }), "Unable to find end of central directory");
      continue;
    }
    zip.LoadFromFile(zipPath);
    EXPECT_EQ(zip.Comment(), std::string(comment, 'k'));
    EXPECT_EQ(zip.FileHeader(0).Common.Method, 0);
    ExpectSameFiles(zip, true);
    EXPECT_EQ(zip.ArchiveSize(), static_cast<int64_t>(std::filesystem::file_size(zipPath)));
  }
}

TEST_F(ZipInterop, JarArchivesLoad) {
  QW_REQUIRE_TOOL("jar");
  std::string out;
  const std::string jarPath = dir_.File("made.jar");
  ASSERT_EQ(RunCommand("cd " + ShellQuote(dir_.File("src")) + " && jar cf " + ShellQuote(jarPath) + " .", &out), 0) << out;
  TZipFile zip;
  zip.LoadFromFile(jarPath);
  ExpectSameFiles(zip, true);
  bool manifest = false;
  for (int i = 0; i < zip.Count(); ++i) manifest |= zip.FileName(i) == "META-INF/MANIFEST.MF";
  EXPECT_TRUE(manifest);
}

// Writes the fixture's files and a manifest with our writer; returns the archive's path.
std::string ZipInterop::WriteOurs() {
  TZipFile zip;
  for (const auto& [name, data] : files_) {
    zip.AddFile(name, 0);
    zip.WriteEntryData(zip.Count() - 1, data);
  }
  zip.AddFile("META-INF/MANIFEST.MF", 0);
  zip.WriteEntryData(zip.Count() - 1, "Manifest-Version: 1.0\r\n\r\n");
  const std::string jarPath = dir_.File("ours.jar");
  zip.SaveToFile(jarPath);
  EXPECT_EQ(zip.ArchiveSize(), static_cast<int64_t>(std::filesystem::file_size(jarPath)));
  return jarPath;
}

TEST_F(ZipInterop, OurArchivesMeasureTheirOwnSize) { WriteOurs(); }

TEST_F(ZipInterop, OurArchivesPassUnzip) {
  QW_REQUIRE_TOOL("unzip");
  const std::string jarPath = WriteOurs();
  std::string out;
  EXPECT_EQ(RunCommand("unzip -t " + ShellQuote(jarPath), &out), 0) << out;
  EXPECT_NE(out.find("No errors detected"), std::string::npos) << out;
  ASSERT_EQ(RunCommand("unzip -q -d " + ShellQuote(dir_.File("out")) + " " + ShellQuote(jarPath), &out), 0) << out;
  for (const auto& [name, data] : files_) EXPECT_TRUE(ReadFile(dir_.File("out/" + name)) == data) << name;
}

TEST_F(ZipInterop, OurArchivesPassPythonsZipfile) {
  QW_REQUIRE_TOOL("python3");
  const std::string jarPath = WriteOurs();
  std::string out;
  EXPECT_EQ(RunCommand("python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                       "sys.exit(1 if z.testzip() is not None or len(z.namelist()) != 5 else 0)' " +
                           ShellQuote(jarPath),
                       &out),
            0)
      << out;
}

TEST_F(ZipInterop, OurArchivesPassJar) {
  QW_REQUIRE_TOOL("jar");
  const std::string jarPath = WriteOurs();
  std::string out;
  EXPECT_EQ(RunCommand("jar tf " + ShellQuote(jarPath), &out), 0) << out;
  EXPECT_NE(out.find("sub/data.bin"), std::string::npos) << out;
}
