#include "assembly/booktext.h"

#include "assembly/deferredhost.h"
#include "assembly/host.h"
#include "assembly/jobpool.h"
#include "assembly/normalize.h"
#include "assembly/textpaths.h"
#include "platform/system/codepage.h"
#include "platform/system/wholefile.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace assembly {

namespace {

const char kSeparator[] = "-------------------";

void ReportUnreadable(BuildHost& host, const std::string& path) {
  host.ShowComposedMessage(UnableToOpenFileText(path), "Fatal error", MessageIcon::Error);
  host.RequestTerminate();
}

// A text book saved as UTF-8 (with a byte-order mark, or well-formed UTF-8 holding at least
// one character beyond ASCII) is decoded into the process code page, the mark dropped; any
// other file is code-page text and keeps its bytes. Characters the code page lacks become
// "?", and one warning says how many.
std::string DecodeTextBook(BuildHost& host, const std::string& path, std::string data) {
  if (data.starts_with("\xEF\xBB\xBF")) {
    data.erase(0, 3);
  } else if (std::ranges::none_of(data, [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) ||
             !platform::IsUtf8(data)) {
    return data;
  }
  const platform::CodePage& page = platform::CodePage::Get(platform::AnsiCodePage());
  std::string text;
  text.reserve(data.size());
  std::size_t lost = 0;
  for (const char32_t c : platform::DecodeUtf8(data)) {
    const std::optional<unsigned char> b = page.FromUnicode(c);
    if (!b) ++lost;
    text += b ? static_cast<char>(*b) : '?';
  }
  if (lost > 0) host.ShowComposedMessage(UnholdableCharactersText(path, lost, page.Number()), "Warning", MessageIcon::Warning);
  return text;
}

// Converts a list of pictures on worker threads, taking them in list order. The calling thread
// takes each result in turn (Take waits for it) and makes its host calls.
class PicturePool {
public:
  PicturePool(std::vector<std::string> paths, const HostedPictureConverter& convert, unsigned threads)
      : convert_(convert), jobs_(paths.size()) {
    for (std::size_t i = 0; i < paths.size(); ++i) jobs_[i].Path = std::move(paths[i]);
    pool_.emplace(
        jobs_.size(),
        [this](std::size_t i) { jobs_[i].Converted = convert_(jobs_[i].Path, jobs_[i].Png, jobs_[i].Host); }, threads);
  }

  // The result for the next picture of the list when it is `path`; nothing once the book asks
  // for another picture than was listed (its files changed meanwhile).
  std::optional<bool> Take(const std::string& path, std::string& png, BuildHost& host) {
    if (next_ >= jobs_.size() || jobs_[next_].Path != path) return std::nullopt;
    const std::size_t i = next_++;
    const std::exception_ptr error = pool_->Wait(i);
    Job& job = jobs_[i];
    job.Host.Replay(host);
    if (error) std::rethrow_exception(error);
    png = std::move(job.Png);
    return job.Converted;
  }

private:
  struct Job {
    std::string Path;
    bool Converted = false;
    std::string Png;
    DeferredHost Host;
  };

  const HostedPictureConverter& convert_;
  std::vector<Job> jobs_;
  std::size_t next_ = 0;
  std::optional<TJobPool> pool_;  // last: stopped before the jobs go
};

// The book files of one build, read and converted in order.
class BookFiles {
public:
  BookFiles(BuildHost& host, const std::vector<std::string>& files, const HostedPictureConverter& convert,
            unsigned threads)
      : host_(host),
        convert_(convert),
        threads_(threads == 0 ? std::max(1u, std::thread::hardware_concurrency()) : threads) {
    for (const std::string& f : files)
      if (!f.empty()) paths_.push_back(f);
    read_.resize(paths_.size());
  }

  const std::vector<std::string>& Paths() const { return paths_; }

  // With several threads every file is read first and the pictures its HTML names are handed
  // to the workers; the files are then joined in order as with one thread, taking each picture
  // from the workers and making its host calls then.
  void ReadAhead() {
    if (threads_ <= 1) return;
    std::vector<std::string> listed;
    const PictureConverter list = [&](const std::string& path, std::string&) {
      listed.push_back(path);
      return false;
    };
    for (std::size_t i = 0; i < paths_.size(); ++i) {
      std::string data;
      if (!ReadFileToString(paths_[i], data)) continue;
      if (IsHtmlFile(paths_[i])) {
        TPictureList none;
        HtmlToText(data, none, FolderOf(paths_[i]), list);
      }
      read_[i] = std::move(data);
    }
    if (!listed.empty()) pool_.emplace(std::move(listed), convert_, threads_);
  }

  // The text of file `i`, an HTML file converted with its pictures added to `pictures`.
  std::string Content(std::size_t i, TPictureList& pictures) {
    const std::string& path = paths_[i];
    std::string data;
    if (threads_ <= 1) {
      LoadFileToString(host_, path, data);
    } else if (read_[i]) {
      data = std::move(*read_[i]);
    } else {
      ReportUnreadable(host_, path);
    }
    if (!IsHtmlFile(path)) return DecodeTextBook(host_, path, std::move(data));
    const PictureConverter convertHere = [&](const std::string& picture, std::string& png) {
      if (pool_)
        if (const std::optional<bool> done = pool_->Take(picture, png, host_)) return *done;
      return convert_(picture, png, host_);
    };
    return HtmlToText(std::move(data), pictures, FolderOf(path), convertHere);
  }

private:
  BuildHost& host_;
  const HostedPictureConverter& convert_;
  const unsigned threads_;
  std::vector<std::string> paths_;
  std::vector<std::optional<std::string>> read_;
  std::optional<PicturePool> pool_;
};

}  // namespace

bool ReadFileToString(const std::string& path, std::string& data) {
  try {
    data = platform::ReadWholeFile(path);
    return true;
  } catch (const platform::EFileError&) {
    data.clear();
    return false;
  }
}

platform::TMessage UnableToOpenFileText(const std::string& path) {
  const int cp = platform::AnsiCodePage();
  platform::TMessage text("Unable to open file. File does not exist or is locked by other application: \"", cp);
  return text.Path(path).Own("\"", cp);
}

platform::TMessage UnholdableCharactersText(const std::string& path, std::size_t count, int codePage) {
  const int cp = platform::AnsiCodePage();
  const bool one = count == 1;
  platform::TMessage text("The book file \"", cp);
  return text.Path(path).Own("\" holds " + std::to_string(count) + (one ? " character" : " characters") +
                                 " that code page " + std::to_string(codePage) + " lacks; " +
                                 (one ? "it was" : "they were") + " stored as \"?\".",
                             cp);
}

bool LoadFileToString(BuildHost& host, const std::string& path, std::string& data) {
  if (ReadFileToString(path, data)) return true;
  ReportUnreadable(host, path);
  return false;
}

std::string LoadTextFiles(BuildHost& host, const std::vector<std::string>& files, bool progress, TPictureList& pictures,
                          const HostedPictureConverter& convert, unsigned threads) {
  BookFiles book(host, files, convert, threads);
  const int count = static_cast<int>(book.Paths().size());
  if (progress) host.SetProgress(0, count);
  pictures.clear();
  book.ReadAhead();
  if (count == 1) return book.Content(0, pictures);

  std::string text;
  bool anyHtml = false;
  for (int i = 0; i < count; ++i) {
    const std::string& path = book.Paths()[static_cast<std::size_t>(i)];
    if (progress) host.SetProgress(i, count);
    const bool html = IsHtmlFile(path);
    anyHtml = anyHtml || html;
    text += PathText(path);
    text += "\n\n";
    text += kSeparator;
    text += "\n\n";
    text += book.Content(static_cast<std::size_t>(i), pictures);
    if (html) {
      text += "\n\n";
      text += kSeparator;
    }
    text += "\n\n\n";
  }
  if (anyHtml) text = NormalizeBookText(text);
  return text;
}

}  // namespace assembly
