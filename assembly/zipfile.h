// A whole ZIP archive held in memory: entries with their names, attributes, CRC-32 and
// stored or deflated data. Used for the resource archive and for every JAR.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

// Any failure of the archive: malformed file, bad index, file-system or zlib error.
class EZipFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Inflated data whose CRC-32 or length differs from what the entry declares.
class EZipFileCRCError : public EZipFileError {
public:
  using EZipFileError::EZipFileError;
};

constexpr uint32_t kLocalFileSignature = 0x04034B50;
constexpr uint32_t kFileHeaderSignature = 0x02014B50;
constexpr uint32_t kEndOfCentralDirSignature = 0x06054B50;

// The 26-byte block shared by the local and the central record of an entry.
struct TCommonFileHeader {
  uint16_t VersionNeeded = 20;
  uint16_t Flags = 0;
  uint16_t Method = 8;  // 0 stored; anything else is read as deflated
  uint32_t DosDateTime = 0;  // time in the low 16 bits, date in the high 16 bits
  uint32_t CRC32 = 0;
  uint32_t CompressedSize = 0;
  uint32_t UncompressedSize = 0;
  uint16_t FileNameLength = 0;
  uint16_t ExtraLength = 0;
};

struct TLocalFile {
  uint32_t Signature = kLocalFileSignature;
  TCommonFileHeader Common;
  std::string FileName;
  std::string ExtraField;
  std::string CompressedData;  // raw deflate stream, or the stored bytes
};

struct TFileHeader {
  uint32_t Signature = kFileHeaderSignature;
  uint16_t VersionMadeBy = 20;
  TCommonFileHeader Common;
  uint16_t FileCommentLength = 0;
  uint16_t DiskNumberStart = 0;
  uint16_t InternalAttributes = 0;
  uint32_t ExternalAttributes = 0;
  uint32_t LocalHeaderOffset = 0;
  std::string FileName;
  std::string ExtraField;
  std::string FileComment;
};

struct TEndOfCentralDir {
  uint32_t Signature = 0;
  uint16_t DiskNumber = 0;
  uint16_t CentralDirectoryDisk = 0;
  uint16_t EntriesOnDisk = 0;
  uint16_t TotalEntries = 0;
  uint32_t CentralDirectorySize = 0;
  uint32_t CentralDirectoryOffset = 0;
  uint16_t CommentLength = 0;
};

// An entry's data already deflated: the raw deflate stream with the CRC-32 and size of the
// data it holds, to be stored in any number of archives without deflating it again.
struct TPackedData {
  std::string CompressedData;
  uint32_t CRC32 = 0;
  uint32_t UncompressedSize = 0;
};

// Deflates data as WriteEntryData stores it.
TPackedData PackEntryData(std::string_view data);

// The bytes an entry made by AddFile adds to ArchiveSize once it holds that many packed bytes.
int64_t ZipEntrySize(std::string_view name, uint64_t compressedSize);

class TZipFile {
public:
  TZipFile() = default;
  virtual ~TZipFile() = default;

  // Reads the whole archive. On failure the object is left empty and the error says why.
  void LoadFromFile(const std::string& fileName);
  // The same from bytes already in memory (a whole archive file).
  void LoadFromBytes(std::string_view bytes);
  // Creates or truncates the file and writes the whole archive.
  void SaveToFile(const std::string& fileName);
  // The archive exactly as SaveToFile writes it (sets the offsets and the end record too).
  std::string SaveToBytes();

  // The entry's data, inflated and checked.
  void ReadEntryData(int index, std::string& data) const;
  std::string ReadEntryData(int index) const;
  // Replaces the entry's data by its deflated form and refreshes both records.
  void WriteEntryData(int index, std::string_view data);
  // The same with data deflated before: the records come out as WriteEntryData makes them.
  void WritePackedData(int index, TPackedData packed);
  // Appends an empty deflated entry; fill it with WriteEntryData(Count() - 1, ...).
  void AddFile(const std::string& name, uint32_t attributes = 0);
  void DeleteLast();

  int Count() const { return static_cast<int>(local_.size()); }
  // Exact byte count that SaveToFile would write now.
  int64_t ArchiveSize() const;

  const TLocalFile& LocalFile(int index) const { return local_.at(static_cast<size_t>(index)); }
  const TFileHeader& FileHeader(int index) const { return central_.at(static_cast<size_t>(index)); }
  const std::string& FileName(int index) const { return LocalFile(index).FileName; }
  const std::string& Comment() const { return comment_; }
  void SetComment(std::string comment);

  // Makes the object empty: no entries, zeroed end record, empty comment.
  void Clear();

private:
  void CheckIndex(int index) const;
  void Parse(std::string_view bytes);

  std::vector<TLocalFile> local_;
  std::vector<TFileHeader> central_;
  TEndOfCentralDir end_;
  std::string comment_;
  uint64_t records_ = 0;  // bytes of every local and central record, kept as entries change
};

// CRC-32 as ZIP uses it (reflected polynomial 0xEDB88320); the empty string gives 0.
uint32_t ZipCrc32(std::string_view data);

// The current local time in DOS form.
uint32_t DosDateTimeNow();

}  // namespace assembly
