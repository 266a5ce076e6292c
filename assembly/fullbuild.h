// The full edition build (editions 0 and 1): one JAR and one JAD, or in test mode the packed
// size of the JAR alone.
#pragma once

#include "assembly/midletconfig.h"
#include "assembly/zipfile.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>

namespace assembly {

// JARs after their resource copies (core, language, help, icon and built-in fonts), keyed by
// what they were copied from, for one resource archive that does not change. A build that
// finds its step here copies the packed entries instead of inflating and deflating them again.
// The cache holds at most `capacity` bytes of archives (their saved sizes), dropping the
// oldest first; a JAR larger than that is not kept.
class TJarCache {
public:
  explicit TJarCache(std::uint64_t capacity = 64ull << 20) : capacity_(capacity) {}
  const TZipFile* Find(const std::string& key) const;
  void Store(const std::string& key, const TZipFile& jar);
  void Clear();
  std::size_t Size() const { return jars_.size(); }
  std::uint64_t Bytes() const { return bytes_; }

private:
  std::uint64_t capacity_;
  std::uint64_t bytes_ = 0;
  std::map<std::string, std::pair<TZipFile, std::uint64_t>> jars_;
  std::deque<std::string> order_;  // oldest first
};

// Assembles the JAR of the record in memory. In test mode measures its packed size and writes
// nothing; otherwise saves base path + ".jar" and ".jad" (and "j2meX.pat" beside them for
// core 6). A build that cannot go on shows its message through the host and fails.
BuildResult BuildFullMidlet(const BuildContext& context, bool testMode, const TMIDLETCONFIG& config,
                            const std::string& jarUrl, const std::string& basePath);

// The JAR of a full edition build, without saving it (the steps before the JAD).
TZipFile AssembleFullJar(const BuildContext& context, const TMIDLETCONFIG& config,
                         const std::string& jarUrl);

}  // namespace assembly
