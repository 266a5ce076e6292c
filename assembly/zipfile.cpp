#include "assembly/zipfile.h"

#include "platform/system/wholefile.h"

#include <zlib.h>

#include <algorithm>

#include <cstring>
#include <ctime>
#include <limits>
#include <utility>

namespace assembly {
namespace {

constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kFileHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
// The end record is looked for only where the archive comment is at most this long.
constexpr size_t kMaxCommentSearch = 260;
constexpr uint64_t kMaxOffset = 0xFFFFFFFFu;
constexpr size_t kZip64LocatorSize = 20;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr const char* kTooManyEntries =
    "The archive holds more than 65535 entries (ZIP64), which this program cannot read";
constexpr const char* kZip64Archive = "The archive is a ZIP64 archive, which this program cannot read";
constexpr uint32_t kZip64EndSignature = 0x06064B50;
constexpr size_t kZip64EndSize = 56;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// An entry packed by a method other than stored or deflate.
std::string UnsupportedMethodText(const std::string& name, uint16_t method) {
  static const std::pair<uint16_t, const char*> known[] = {{1, "Shrink"}, {6, "Implode"}, {9, "Deflate64"},
                                                           {12, "bzip2"}, {14, "LZMA"},   {93, "Zstandard"},
                                                           {95, "XZ"},    {98, "PPMd"},   {99, "AES encryption"}};
  std::string how = "method " + std::to_string(method);
  for (const auto& [number, label] : known)
    if (number == method) how = std::string(label) + " (" + how + ")";
  return "The entry " + Quoted(name) + " is compressed with " + how +
         ", which this program cannot read; only stored and deflated entries can be read";
}

// Little-endian reads from a range already checked to hold the bytes.
uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A bounds-checked view of the archive bytes.
class Reader {
public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  size_t Size() const { return bytes_.size(); }
  bool Fits(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  const unsigned char* At(uint64_t offset, uint64_t length, const char* what) const {
    if (!Fits(offset, length)) throw EZipFileError(std::string(what) + " lies past the end of the archive");
    return reinterpret_cast<const unsigned char*>(bytes_.data()) + offset;
  }
  std::string Bytes(uint64_t offset, uint64_t length, const char* what) const {
    const unsigned char* p = At(offset, length, what);
    return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(length));
  }

private:
  std::string_view bytes_;
};

TCommonFileHeader ReadCommon(const unsigned char* p) {
  TCommonFileHeader c;
  c.VersionNeeded = Get16(p);
  c.Flags = Get16(p + 2);
  c.Method = Get16(p + 4);
  c.DosDateTime = Get32(p + 6);
  c.CRC32 = Get32(p + 10);
  c.CompressedSize = Get32(p + 14);
  c.UncompressedSize = Get32(p + 18);
  c.FileNameLength = Get16(p + 22);
  c.ExtraLength = Get16(p + 24);
  return c;
}

void WriteCommon(std::string& out, const TCommonFileHeader& c) {
  Put16(out, c.VersionNeeded);
  Put16(out, c.Flags);
  Put16(out, c.Method);
  Put32(out, c.DosDateTime);
  Put32(out, c.CRC32);
  Put32(out, c.CompressedSize);
  Put32(out, c.UncompressedSize);
  Put16(out, c.FileNameLength);
  Put16(out, c.ExtraLength);
}

// Bytes a local entry and a central entry take in the saved archive.
uint64_t LocalRecordSize(const TLocalFile& l) {
  return kLocalHeaderSize + l.FileName.size() + l.ExtraField.size() + l.CompressedData.size();
}
uint64_t CentralRecordSize(const TFileHeader& h) {
  return kFileHeaderSize + h.FileName.size() + h.ExtraField.size() + h.FileComment.size();
}

// The end record: the last signature with room for the 22 bytes, the comment at most 260 bytes.
size_t FindEndRecord(const Reader& r) {
  const size_t size = r.Size();
  if (size < kEndRecordSize) throw EZipFileError("Unable to find end of central directory");
  size_t lowest = size - kEndRecordSize >= kMaxCommentSearch ? size - kEndRecordSize - kMaxCommentSearch : 0;
  size_t pos = size - kEndRecordSize;
  for (;;) {
    if (Get32(r.At(pos, 4, "End of central directory")) == kEndOfCentralDirSignature) return pos;
    if (pos == lowest) throw EZipFileError("Unable to find end of central directory");
    --pos;
  }
}

TEndOfCentralDir ReadEndRecord(const Reader& r, size_t pos) {
  const unsigned char* e = r.At(pos, kEndRecordSize, "End of central directory");
  TEndOfCentralDir end;
  end.Signature = Get32(e);
  end.DiskNumber = Get16(e + 4);
  end.CentralDirectoryDisk = Get16(e + 6);
  end.EntriesOnDisk = Get16(e + 8);
  end.TotalEntries = Get16(e + 10);
  end.CentralDirectorySize = Get32(e + 12);
  end.CentralDirectoryOffset = Get32(e + 16);
  end.CommentLength = Get16(e + 20);
  return end;
}

uint64_t Get64(const unsigned char* p) { return Get32(p) | (uint64_t{Get32(p + 4)} << 32); }

// A ZIP64 locator between the central directory and the end record: a ZIP64 archive, which
// this format does not hold. Its ZIP64 end record tells whether the entries are too many
// (Info-ZIP writes ZIP64 records for one entry read from standard input).
void RefuseZip64(const Reader& r, size_t endPos, const TEndOfCentralDir& end) {
  if (endPos < kZip64LocatorSize ||
      endPos - kZip64LocatorSize < uint64_t{end.CentralDirectoryOffset} + end.CentralDirectorySize)
    return;
  const unsigned char* locator = r.At(endPos - kZip64LocatorSize, kZip64LocatorSize, "End of central directory");
  if (Get32(locator) != kZip64LocatorSignature) return;
  const uint64_t at = Get64(locator + 8);
  if (r.Fits(at, kZip64EndSize) && Get32(r.At(at, 4, "ZIP64 end record")) == kZip64EndSignature &&
      Get64(r.At(at, kZip64EndSize, "ZIP64 end record") + 32) <= 0xFFFF)
    throw EZipFileError(kZip64Archive);
  throw EZipFileError(kTooManyEntries);
}

// One central entry at p; p moves past it.
TFileHeader ReadCentralEntry(const Reader& r, uint64_t& p) {
  if (!r.Fits(p, 4) || Get32(r.At(p, 4, "Central directory")) != kFileHeaderSignature)
    throw EZipFileError("Unable to find central directory");
  const unsigned char* c = r.At(p, kFileHeaderSize, "Central directory entry");
  TFileHeader h;
  h.Signature = Get32(c);
  h.VersionMadeBy = Get16(c + 4);
  h.Common = ReadCommon(c + 6);
  h.FileCommentLength = Get16(c + 32);
  h.DiskNumberStart = Get16(c + 34);
  h.InternalAttributes = Get16(c + 36);
  h.ExternalAttributes = Get32(c + 38);
  h.LocalHeaderOffset = Get32(c + 42);
  p += kFileHeaderSize;
  h.FileName = r.Bytes(p, h.Common.FileNameLength, "Central directory entry");
  p += h.Common.FileNameLength;
  h.ExtraField = r.Bytes(p, h.Common.ExtraLength, "Central directory entry");
  p += h.Common.ExtraLength;
  h.FileComment = r.Bytes(p, h.FileCommentLength, "Central directory entry");
  p += h.FileCommentLength;
  return h;
}

std::vector<TFileHeader> ReadCentralDirectory(const Reader& r, const TEndOfCentralDir& end) {
  // Every central entry takes at least 46 bytes: refuse counts the file cannot hold
  // before sizing anything by them.
  const uint64_t cdOffset = end.CentralDirectoryOffset;
  if (!r.Fits(cdOffset, uint64_t{end.TotalEntries} * kFileHeaderSize))
    throw EZipFileError("Central directory lies past the end of the archive");

  std::vector<TFileHeader> central(end.TotalEntries);
  uint64_t p = cdOffset;
  for (TFileHeader& h : central) h = ReadCentralEntry(r, p);
  // Another central entry after the counted ones: the count has overflowed its 16 bits.
  if (r.Fits(p, 4) && Get32(r.At(p, 4, "Central directory")) == kFileHeaderSignature)
    throw EZipFileError(kTooManyEntries);
  return central;
}

// Local entries take name and extra field from the central entry; the data starts where
// the entry's own local header says (local extra fields are often longer).
std::vector<TLocalFile> ReadLocalEntries(const Reader& r, const std::vector<TFileHeader>& central) {
  std::vector<TLocalFile> local(central.size());
  for (size_t i = 0; i < central.size(); ++i) {
    const TFileHeader& h = central[i];
    TLocalFile& l = local[i];
    l.Signature = kLocalFileSignature;
    l.Common = h.Common;
    l.FileName = h.FileName;
    l.ExtraField = h.ExtraField;
    const uint64_t lo = h.LocalHeaderOffset;
    if (!r.Fits(lo, kLocalHeaderSize) || Get32(r.At(lo, 4, "Local header")) != kLocalFileSignature)
      throw EZipFileError("Unable to find local header of " + Quoted(h.FileName));
    const unsigned char* lh = r.At(lo, kLocalHeaderSize, "Local header");
    const uint64_t dataOffset = lo + kLocalHeaderSize + Get16(lh + 26) + Get16(lh + 28);
    if (!r.Fits(dataOffset, h.Common.CompressedSize))
      throw EZipFileError("Data of " + Quoted(h.FileName) + " lies past the end of the archive");
    l.CompressedData = r.Bytes(dataOffset, h.Common.CompressedSize, "Entry data");
  }
  return local;
}

std::string Deflate(std::string_view data) {
  z_stream zs{};
  if (deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw EZipFileError("zlib: deflate initialisation failed");
  std::string out(deflateBound(&zs, static_cast<uLong>(data.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  int rc = deflate(&zs, Z_FINISH);
  size_t produced = zs.total_out;
  deflateEnd(&zs);
  if (rc != Z_STREAM_END) throw EZipFileError("zlib: deflate failed");
  out.resize(produced);
  return out;
}

// Inflates raw deflate data into at most `expected` bytes. The output grows with what the
// stream really yields, never with the declared size alone.
std::string Inflate(const std::string& input, uint32_t expected, const std::string& name) {
  std::string out;
  if (expected == 0) return out;
  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) throw EZipFileError("zlib: inflate initialisation failed");
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  zs.avail_in = static_cast<uInt>(input.size());
  // Deflate expands at most about 1032:1, so this bounds the output by the real input.
  const uint64_t reachable = uint64_t{input.size()} * 1032 + 1024;
  size_t capacity = static_cast<size_t>(std::min<uint64_t>(expected, reachable));
  out.resize(capacity);
  size_t done = 0;
  int rc = Z_OK;
  for (;;) {
    zs.next_out = reinterpret_cast<Bytef*>(out.data() + done);
    zs.avail_out = static_cast<uInt>(capacity - done);
    rc = inflate(&zs, Z_NO_FLUSH);
    done = capacity - zs.avail_out;
    if (rc == Z_STREAM_END || done == expected) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) break;
    if (zs.avail_out != 0) break;  // input used up before the declared size
    capacity = std::min<size_t>(expected, capacity * 2);
    out.resize(capacity);
  }
  std::string zmsg = zs.msg ? zs.msg : "";
  inflateEnd(&zs);
  if (rc == Z_DATA_ERROR || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR || rc == Z_NEED_DICT)
    throw EZipFileError("zlib: " + (zmsg.empty() ? std::string("inflate failed") : zmsg) + " in " + Quoted(name));
  out.resize(done);
  return out;
}

}  // namespace

uint32_t ZipCrc32(std::string_view data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  const Bytef* p = reinterpret_cast<const Bytef*>(data.data());
  size_t left = data.size();
  while (left > 0) {
    uInt n = static_cast<uInt>(std::min<size_t>(left, 1u << 30));
    crc = crc32(crc, p, n);
    p += n;
    left -= n;
  }
  return static_cast<uint32_t>(crc);
}

uint32_t DosDateTimeNow() {
  time_t now = time(nullptr);
  struct tm t{};
  localtime_r(&now, &t);
  int year = t.tm_year + 1900;
  if (year < 1980) year = 1980;
  if (year > 2107) year = 2107;
  uint32_t date = static_cast<uint32_t>(((year - 1980) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
  uint32_t time = static_cast<uint32_t>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
  return (date << 16) | time;
}

void TZipFile::Clear() {
  local_.clear();
  central_.clear();
  records_ = 0;
  end_ = TEndOfCentralDir{};
  comment_.clear();
}

void TZipFile::SetComment(std::string comment) {
  if (comment.size() > 0xFFFF) throw EZipFileError("Archive comment too long");
  comment_ = std::move(comment);
}

void TZipFile::LoadFromFile(const std::string& fileName) {
  std::string bytes;
  try {
    bytes = platform::ReadWholeFile(fileName);
  } catch (const platform::EFileError& e) {
    throw EZipFileError(e.what());
  }
  LoadFromBytes(bytes);
}

void TZipFile::LoadFromBytes(std::string_view bytes) {
  try {
    Parse(bytes);
  } catch (...) {
    Clear();
    throw;
  }
}

void TZipFile::Parse(std::string_view bytes) {
  Clear();
  Reader r(bytes);
  const size_t pos = FindEndRecord(r);
  const TEndOfCentralDir end = ReadEndRecord(r, pos);
  std::string comment = r.Bytes(pos + kEndRecordSize, end.CommentLength, "Archive comment");
  RefuseZip64(r, pos, end);
  std::vector<TFileHeader> central = ReadCentralDirectory(r, end);
  std::vector<TLocalFile> local = ReadLocalEntries(r, central);

  local_ = std::move(local);
  central_ = std::move(central);
  records_ = 0;
  for (const TLocalFile& l : local_) records_ += LocalRecordSize(l);
  for (const TFileHeader& h : central_) records_ += CentralRecordSize(h);
  end_ = end;
  comment_ = std::move(comment);
}

void TZipFile::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EZipFileError("Index out of range.");
}

void TZipFile::ReadEntryData(int index, std::string& data) const {
  CheckIndex(index);
  const TLocalFile& l = local_[static_cast<size_t>(index)];
  if (l.Common.Method == 0) {
    data = l.CompressedData;
    return;
  }
  if (l.Common.Method != 8) throw EZipFileError(UnsupportedMethodText(l.FileName, l.Common.Method));
  std::string out = Inflate(l.CompressedData, l.Common.UncompressedSize, l.FileName);
  if (out.size() != l.Common.UncompressedSize || ZipCrc32(out) != l.Common.CRC32)
    throw EZipFileCRCError("CRC Error in " + Quoted(l.FileName) + ".");
  data = std::move(out);
}

std::string TZipFile::ReadEntryData(int index) const {
  std::string data;
  ReadEntryData(index, data);
  return data;
}

TPackedData PackEntryData(std::string_view data) {
  if (data.size() > kMaxOffset) throw EZipFileError("Data too large for an archive entry");
  TPackedData packed;
  packed.CompressedData = Deflate(data);
  if (packed.CompressedData.size() > kMaxOffset) throw EZipFileError("Data too large for an archive entry");
  packed.CRC32 = ZipCrc32(data);
  packed.UncompressedSize = static_cast<uint32_t>(data.size());
  return packed;
}

int64_t ZipEntrySize(std::string_view name, uint64_t compressedSize) {
  return static_cast<int64_t>(kLocalHeaderSize + kFileHeaderSize + 2 * name.size() + compressedSize);
}

void TZipFile::WriteEntryData(int index, std::string_view data) {
  CheckIndex(index);
  WritePackedData(index, PackEntryData(data));
}

void TZipFile::WritePackedData(int index, TPackedData packed) {
  CheckIndex(index);
  if (packed.CompressedData.size() > kMaxOffset) throw EZipFileError("Data too large for an archive entry");
  TLocalFile& l = local_[static_cast<size_t>(index)];
  TFileHeader& h = central_[static_cast<size_t>(index)];
  records_ -= LocalRecordSize(l) + CentralRecordSize(h);
  l.Signature = kLocalFileSignature;
  l.Common.VersionNeeded = 20;
  l.Common.Flags = 0;
  l.Common.Method = 8;
  l.Common.DosDateTime = DosDateTimeNow();
  l.Common.CRC32 = packed.CRC32;
  l.Common.CompressedSize = static_cast<uint32_t>(packed.CompressedData.size());
  l.Common.UncompressedSize = packed.UncompressedSize;
  l.Common.FileNameLength = static_cast<uint16_t>(l.FileName.size());
  l.Common.ExtraLength = static_cast<uint16_t>(l.ExtraField.size());
  l.CompressedData = std::move(packed.CompressedData);

  h.Signature = kFileHeaderSignature;
  h.VersionMadeBy = 20;
  h.Common = l.Common;
  h.FileCommentLength = 0;
  h.DiskNumberStart = 0;
  h.InternalAttributes = 0;
  h.LocalHeaderOffset = 0;
  h.FileName = l.FileName;
  h.ExtraField = l.ExtraField;
  h.FileComment.clear();
  records_ += LocalRecordSize(l) + CentralRecordSize(h);
}

void TZipFile::AddFile(const std::string& name, uint32_t attributes) {
  if (name.size() > 0xFFFF) throw EZipFileError("Entry name too long: " + Quoted(name.substr(0, 64) + "..."));
  TLocalFile l;
  l.FileName = name;
  l.Common.VersionNeeded = 20;
  l.Common.Flags = 0;
  l.Common.Method = 8;
  l.Common.DosDateTime = DosDateTimeNow();
  l.Common.FileNameLength = static_cast<uint16_t>(name.size());
  TFileHeader h;
  h.Common = l.Common;
  h.ExternalAttributes = attributes;
  h.FileName = name;
  records_ += LocalRecordSize(l) + CentralRecordSize(h);
  local_.push_back(std::move(l));
  central_.push_back(std::move(h));
}

void TZipFile::DeleteLast() {
  if (local_.empty()) return;
  records_ -= LocalRecordSize(local_.back()) + CentralRecordSize(central_.back());
  local_.pop_back();
  central_.pop_back();
}

int64_t TZipFile::ArchiveSize() const { return static_cast<int64_t>(records_ + kEndRecordSize + comment_.size()); }

std::string TZipFile::SaveToBytes() {
  if (local_.size() > 0xFFFF)
    throw EZipFileError("Too many entries for an archive: " + std::to_string(local_.size()));
  // Every offset and the central directory's size must fit their 32-bit fields.
  uint64_t offset = 0;
  for (const TLocalFile& l : local_) {
    if (offset > kMaxOffset) throw EZipFileError("Archive too large: offsets past 4 GiB");
    offset += LocalRecordSize(l);
  }
  uint64_t cdSize = 0;
  for (const TFileHeader& h : central_) cdSize += CentralRecordSize(h);
  if (offset > kMaxOffset || cdSize > kMaxOffset)
    throw EZipFileError("Archive too large: offsets past 4 GiB");

  std::string out;
  out.reserve(static_cast<size_t>(ArchiveSize()));
  for (size_t i = 0; i < local_.size(); ++i) {
    const TLocalFile& l = local_[i];
    central_[i].LocalHeaderOffset = static_cast<uint32_t>(out.size());
    Put32(out, l.Signature);
    WriteCommon(out, l.Common);
    out += l.FileName;
    out += l.ExtraField;
    out += l.CompressedData;
  }
  const size_t cdOffset = out.size();
  for (const TFileHeader& h : central_) {
    Put32(out, h.Signature);
    Put16(out, h.VersionMadeBy);
    WriteCommon(out, h.Common);
    Put16(out, static_cast<uint16_t>(h.FileComment.size()));
    Put16(out, h.DiskNumberStart);
    Put16(out, h.InternalAttributes);
    Put32(out, h.ExternalAttributes);
    Put32(out, h.LocalHeaderOffset);
    out += h.FileName;
    out += h.ExtraField;
    out += h.FileComment;
  }
  end_.Signature = kEndOfCentralDirSignature;
  end_.DiskNumber = 0;
  end_.CentralDirectoryDisk = 0;
  end_.EntriesOnDisk = static_cast<uint16_t>(local_.size());
  end_.TotalEntries = static_cast<uint16_t>(local_.size());
  end_.CentralDirectorySize = static_cast<uint32_t>(out.size() - cdOffset);
  end_.CentralDirectoryOffset = static_cast<uint32_t>(cdOffset);
  end_.CommentLength = static_cast<uint16_t>(comment_.size());
  Put32(out, end_.Signature);
  Put16(out, end_.DiskNumber);
  Put16(out, end_.CentralDirectoryDisk);
  Put16(out, end_.EntriesOnDisk);
  Put16(out, end_.TotalEntries);
  Put32(out, end_.CentralDirectorySize);
  Put32(out, end_.CentralDirectoryOffset);
  Put16(out, end_.CommentLength);
  out += comment_;
  return out;
}

void TZipFile::SaveToFile(const std::string& fileName) {
  try {
    platform::WriteWholeFile(fileName, SaveToBytes());
  } catch (const platform::EFileError& e) {
    throw EZipFileError(e.what());
  }
}

}  // namespace assembly
