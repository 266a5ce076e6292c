#include "assembly/booktext.h"

#include "assembly/host.h"
#include "assembly/normalize.h"
#include "platform/codepage.h"
#include "platform/wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

namespace assembly {

namespace {

const char kSeparator[] = "-------------------";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::size_t p = text.find(from);
  if (p == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t done = 0;
  for (; p != std::string::npos; p = text.find(from, done)) {
    out.append(text, done, p - done);
    out += to;
    done = p + from.size();
  }
  out.append(text, done, std::string::npos);
  text = std::move(out);
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsHtmlFile(const std::string& path) {
  const std::string upper = platform::UpperCase(path);
  return EndsWith(upper, ".HTM") || EndsWith(upper, ".HTML");
}

bool IsPictureFile(const std::string& path) {
  const std::string upper = platform::UpperCase(path);
  return EndsWith(upper, ".GIF") || EndsWith(upper, ".JPEG") || EndsWith(upper, ".JPG") ||
         EndsWith(upper, ".PNG");
}

// The tag's words: upper-cased (unless `keepCase`), blanks around "=" removed, split at every
// space. Upper-casing keeps every byte in its place, so both forms split alike.
std::vector<std::string> TagWords(std::string tag, bool keepCase = false) {
  if (!keepCase) platform::UpperCaseInPlace(tag);
  std::string joined;
  joined.reserve(tag.size());
  for (std::size_t i = 0; i < tag.size(); ++i) {
    if (tag[i] == '=') {
      while (!joined.empty() && joined.back() == ' ') joined.pop_back();
      joined += '=';
      while (i + 1 < tag.size() && tag[i + 1] == ' ') ++i;
    } else {
      joined += tag[i];
    }
  }
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = joined.find(' ', start);
    words.push_back(joined.substr(start, space == std::string::npos ? std::string::npos : space - start));
    if (space == std::string::npos) break;
    start = space + 1;
  }
  return words;
}

bool IsHeading(const std::string& word, bool closing) {
  const std::size_t at = closing ? 1 : 0;
  if (closing && (word.empty() || word[0] != '/')) return false;
  return word.size() == at + 2 && word[at] == 'H' && word[at + 1] >= '1' && word[at + 1] <= '6';
}

// The picture source of an IMG tag: the value of the first later word holding "SRC=", taken
// from the words as written (`rawWords`), since a name in UTF-8 does not survive the code
// page's upper-casing; file names are matched without regard to case anyway.
std::string PictureSource(const std::vector<std::string>& words, const std::vector<std::string>& rawWords,
                          std::size_t img) {
  for (std::size_t k = img + 1; k < words.size(); ++k) {
    const std::size_t at = words[k].find("SRC=");
    if (at == std::string::npos) continue;
    std::string value = rawWords[k].substr(at + 4);
    if (!value.empty() && value[0] == '"') {
      const std::size_t quote = value.find('"', 1);
      value = value.substr(1, quote == std::string::npos ? std::string::npos : quote - 1);
    } else {
      const auto blank = std::find_if(value.begin(), value.end(),
                                      [](char c) { return static_cast<unsigned char>(c) <= 32; });
      value.erase(blank, value.end());
    }
    ReplaceAll(value, "%20", " ");
    return value;
  }
  return std::string();
}

}  // namespace

// Host paths are UTF-8; texts are in the process code page.
std::string PathText(const std::string& path) { return platform::FromUtf8(path); }

bool ReadFileToString(const std::string& path, std::string& data) {
  try {
    data = platform::ReadWholeFile(path);
    return true;
  } catch (const platform::EFileError&) {
    data.clear();
    return false;
  }
}

std::string UnableToOpenFileText(const std::string& path) {
  return "Unable to open file. File does not exist or is locked by other application: \"" +
         PathText(path) + "\"";
}

namespace {

void ReportUnreadable(BuildHost& host, const std::string& path) {
  host.ShowMessage(UnableToOpenFileText(path), "Fatal error", MessageIcon::Error);
  host.RequestTerminate();
}

// Keeps the host calls of a picture converted on a worker, for the calling thread to make them
// in the book's order.
class DeferredHost : public BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
    calls_.emplace_back([=](BuildHost& h) { h.ShowMessage(text, caption, icon); });
  }
  void RequestTerminate() override {
    calls_.emplace_back([](BuildHost& h) { h.RequestTerminate(); });
  }
  void SetProgress(int position, int max) override {
    calls_.emplace_back([=](BuildHost& h) { h.SetProgress(position, max); });
  }
  void SetStatus(const std::string& text) override {
    calls_.emplace_back([=](BuildHost& h) { h.SetStatus(text); });
  }
  void ProcessMessages() override {
    calls_.emplace_back([](BuildHost& h) { h.ProcessMessages(); });
  }
  void SetWindowEnabled(bool enabled) override {
    calls_.emplace_back([=](BuildHost& h) { h.SetWindowEnabled(enabled); });
  }
  void Wait(int milliseconds) override {
    calls_.emplace_back([=](BuildHost& h) { h.Wait(milliseconds); });
  }
  void Replay(BuildHost& host) const {
    for (const auto& call : calls_) call(host);
  }

private:
  std::vector<std::function<void(BuildHost&)>> calls_;
};

// Converts a list of pictures on worker threads, as many at once as there are workers, taking
// them in list order. The calling thread takes each result in turn (Take waits for it) and
// makes its host calls. Leaving early stops the workers after the pictures they are at.
class PicturePool {
public:
  PicturePool(std::vector<std::string> paths, const HostedPictureConverter& convert, unsigned threads)
      : convert_(convert), jobs_(paths.size()), done_(paths.size(), false) {
    for (std::size_t i = 0; i < paths.size(); ++i) jobs_[i].path = std::move(paths[i]);
    const std::size_t workers = std::min<std::size_t>(threads, jobs_.size());
    for (std::size_t t = 0; t < workers; ++t) workers_.emplace_back([this](std::stop_token stop) { Work(stop); });
  }
  ~PicturePool() {
    for (std::jthread& w : workers_) w.request_stop();
  }
  PicturePool(const PicturePool&) = delete;
  PicturePool& operator=(const PicturePool&) = delete;

  // The result for the next picture of the list when it is `path`; nothing once the book asks
  // for another picture than was listed (its files changed meanwhile).
  std::optional<bool> Take(const std::string& path, std::string& png, BuildHost& host) {
    if (next_ >= jobs_.size() || jobs_[next_].path != path) return std::nullopt;
    const std::size_t i = next_++;
    {
      std::unique_lock lock(mutex_);
      finished_.wait(lock, [&] { return bool(done_[i]); });
    }
    Job& job = jobs_[i];
    job.host.Replay(host);
    if (job.error) std::rethrow_exception(job.error);
    png = std::move(job.png);
    return job.converted;
  }

private:
  struct Job {
    std::string path;
    bool converted = false;
    std::string png;
    DeferredHost host;
    std::exception_ptr error;
  };

  void Work(const std::stop_token& stop) {
    for (;;) {
      const std::size_t i = claimed_.fetch_add(1);
      if (i >= jobs_.size() || stop.stop_requested()) return;
      Job& job = jobs_[i];
      try {
        job.converted = convert_(job.path, job.png, job.host);
      } catch (...) {
        job.error = std::current_exception();
      }
      std::lock_guard lock(mutex_);
      done_[i] = true;
      finished_.notify_all();
    }
  }

  const HostedPictureConverter& convert_;
  std::vector<Job> jobs_;
  std::vector<char> done_;  // guarded by mutex_
  std::mutex mutex_;
  std::condition_variable finished_;
  std::atomic<std::size_t> claimed_{0};
  std::size_t next_ = 0;               // calling thread only
  std::vector<std::jthread> workers_;  // last: joined before the jobs go
};

}  // namespace

bool LoadFileToString(BuildHost& host, const std::string& path, std::string& data) {
  if (ReadFileToString(path, data)) return true;
  ReportUnreadable(host, path);
  return false;
}

void TabsAndBreaksToSpaces(std::string& text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
}

void TrimSpacesAndLineFeeds(std::string& text) {
  auto blank = [](char c) { return c == ' ' || c == '\n'; };
  std::size_t end = text.size();
  while (end > 0 && blank(text[end - 1])) --end;
  std::size_t start = 0;
  while (start < end && blank(text[start])) ++start;
  text = text.substr(start, end - start);
}

void DecodeHtmlEntities(std::string& text) {
  static const std::pair<std::string_view, std::string_view> entities[] = {
      {"&quot;", "\""},  {"&nbsp;", " "},   {"&#9;", " "},    {"&amp;", "&"},
      {"&lt;", "<"},     {"&gt;", ">"},     {"&copy;", "(C)"}, {"&reg;", "(R)"},
      {"&ensp;", " "},   {"&emsp;", " "},   {"&thinsp;", " "}, {"&ndash;", "-"},
      {"&mdash;", "-"},  {"&lsquo;", "`"},  {"&rsquo;", "'"},  {"&sbquo;", "'"},
      {"&ldquo;", "\""}, {"&bdquo;", "\""}, {"&rdquo;", "\""}, {"&bull;", "- "},
      {"&hellip;", "..."}, {"&frasl;", "/"}, {"&trade;", "(tm)"}, {"&sim;", "~"},
      {"&le;", "<="},    {"&ge;", ">="},    {"&sdot;", "*"}};
  if (text.find('&') == std::string::npos) return;
  for (const auto& [entity, replacement] : entities) ReplaceAll(text, entity, replacement);
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& relative) {
  namespace fs = std::filesystem;
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= relative.size(); ++i) {
    if (i == relative.size() || relative[i] == '/' || relative[i] == '\\') {
      std::string part = relative.substr(start, i - start);
      if (!part.empty() && part != ".") parts.push_back(std::move(part));
      start = i + 1;
    }
  }
  if (parts.empty()) return std::string();
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  std::error_code error;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::string& part = parts[k];
    std::string found;
    if (part == ".." || fs::exists(path + part, error)) {
      found = part;
    } else {
      for (fs::directory_iterator it(path.empty() ? "." : path, error), end; !error && it != end;
           it.increment(error)) {
        const std::string name = it->path().filename().string();
        if ((platform::SameText(name, part) || platform::SameText(PathText(name), part) ||
             platform::SameTextUtf8(name, part)) &&
            (found.empty() || name < found))
          found = name;
      }
      if (found.empty()) return std::string();
    }
    path += found;
    if (k + 1 < parts.size()) path += '/';
  }
  return fs::is_regular_file(path, error) ? path : std::string();
}

std::string HtmlToText(std::string html, TPictureList& pictures, const std::string& folder,
                       const PictureConverter& convert) {
  bool utf8 = false;
  // A UTF-8 byte-order mark declares the charset as a meta tag does.
  if (html.starts_with("\xEF\xBB\xBF")) {
    html.erase(0, 3);
    utf8 = true;
  }
  TabsAndBreaksToSpaces(html);
  const std::string upper = platform::UpperCase(html);
  std::string out, title;
  int skipDepth = 0;
  std::string skipWord;
  bool inTitle = false, cellBreakDone = false, windowsCharset = false;

  const std::size_t n = html.size();
  std::size_t p = 0;
  while (p < n) {
    if (n - p >= 4 && html.compare(p, 4, "<!--") == 0) {
      const std::size_t close = html.find("-->", p);
      p = close == std::string::npos ? n : close + 3;
      continue;
    }
    if (skipDepth > 0) {
      // An element whose end never comes drops the rest of the document.
      const std::size_t close = upper.find("</" + skipWord, p);
      if (close == std::string::npos) {
        p = n;
      } else {
        const std::size_t gt = html.find('>', close + 1);
        p = gt == std::string::npos ? n : gt + 1;
      }
      --skipDepth;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(html[p]);
    if (c != '<') {
      if (c >= 32) {
        cellBreakDone = cellBreakDone && c == ' ';
        (inTitle ? title : out) += static_cast<char>(c);
      }
      ++p;
      continue;
    }

    const std::size_t gt = html.find('>', p + 1);
    const std::size_t tagEnd = gt == std::string::npos ? n : gt;
    std::string tag;
    tag.reserve(tagEnd - p);
    for (std::size_t k = p + 1; k < tagEnd; ++k)
      if (static_cast<unsigned char>(html[k]) >= 32) tag += html[k];
    p = gt == std::string::npos ? n : gt + 1;

    const std::vector<std::string> rawWords = TagWords(tag, true);
    const std::vector<std::string> words = TagWords(std::move(tag));
    for (std::size_t w = 0; w < words.size(); ++w) {
      const std::string& word = words[w];
      if (w == 0 && (word == "STYLE" || word == "SCRIPT" || word == "FORM")) {
        ++skipDepth;
        skipWord = word;
      } else if (word == "/P" || word == "/DIV" || word == "BR" || word == "BR/") {
        out += "\n\n";
      } else if (word == "TITLE") {
        inTitle = true;
      } else if (word == "/TITLE") {
        inTitle = false;
      } else if (IsHeading(word, false) || IsHeading(word, true)) {
        out += "\n\n\n";
      } else if (word == "/TD" || word == "/TH") {
        if (!cellBreakDone) {
          out += "\n\n";
          cellBreakDone = true;
        }
      } else if (word == "IMG") {
        const std::string source = PictureSource(words, rawWords, w);
        if (source.empty()) continue;
        const std::string path = FindFileIgnoringCase(folder, source);
        if (path.empty() || !IsPictureFile(path)) continue;
        std::string png;
        if (convert && convert(path, png)) {
          pictures.push_back(std::move(png));
          out += kMarkerStart;
          out += std::to_string(pictures.size());
          out += ".png";
          out += kMarkerEnd;
        }
      } else {
        const bool content = word.starts_with("CONTENT=");
        // A meta tag may quote its charset (<meta charset="utf-8">).
        const bool quoted = words[0] == "META" && (word.starts_with("CHARSET=\"") || word.starts_with("CHARSET='"));
        const std::string_view charset = quoted ? std::string_view(word).substr(9) : std::string_view();
        if ((content && word.find("CHARSET=UTF-8") != std::string::npos) || word.starts_with("CHARSET=UTF-8") ||
            charset.starts_with("UTF-8"))
          utf8 = true;
        if ((content && word.find("CHARSET=WINDOWS-") != std::string::npos) || word.starts_with("CHARSET=WINDOWS-") ||
            charset.starts_with("WINDOWS-"))
          windowsCharset = true;
      }
    }
  }

  for (std::string* text : {&out, &title}) {
    if (utf8) *text = platform::FromUtf8(*text);
    if (utf8 || windowsCharset) std::replace(text->begin(), text->end(), '\xA0', ' ');
    DecodeHtmlEntities(*text);
    TrimSpacesAndLineFeeds(*text);
  }
  if (!platform::UpperCase(out).starts_with(platform::UpperCase(title)))
    out = title + "\n\n\n" + out;
  return out;
}

std::string LoadTextFiles(BuildHost& host, const std::vector<std::string>& files, bool progress, TPictureList& pictures,
                          const HostedPictureConverter& convert, unsigned threads) {
  std::vector<std::string> paths;
  for (const std::string& f : files)
    if (!f.empty()) paths.push_back(f);
  const int count = static_cast<int>(paths.size());
  if (progress) host.SetProgress(0, count);
  pictures.clear();

  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  // With several threads every file is read first and the pictures its HTML names are handed
  // to the workers; the files are then joined in order as with one thread, taking each picture
  // from the workers and making its host calls then.
  std::vector<std::optional<std::string>> read(paths.size());
  std::optional<PicturePool> pool;
  if (threads > 1) {
    std::vector<std::string> listed;
    const PictureConverter list = [&](const std::string& path, std::string&) {
      listed.push_back(path);
      return false;
    };
    for (std::size_t i = 0; i < paths.size(); ++i) {
      std::string data;
      if (!ReadFileToString(paths[i], data)) continue;
      if (IsHtmlFile(paths[i])) {
        TPictureList none;
        HtmlToText(data, none, FolderOf(paths[i]), list);
      }
      read[i] = std::move(data);
    }
    if (!listed.empty()) pool.emplace(std::move(listed), convert, threads);
  }
  const PictureConverter convertHere = [&](const std::string& path, std::string& png) {
    if (pool)
      if (const std::optional<bool> done = pool->Take(path, png, host)) return *done;
    return convert(path, png, host);
  };

  auto content = [&](std::size_t i) {
    const std::string& path = paths[i];
    std::string data;
    if (threads <= 1) {
      LoadFileToString(host, path, data);
    } else if (read[i]) {
      data = std::move(*read[i]);
    } else {
      ReportUnreadable(host, path);
    }
    if (IsHtmlFile(path)) data = HtmlToText(std::move(data), pictures, FolderOf(path), convertHere);
    return data;
  };

  if (count == 1) return content(0);
  std::string text;
  bool anyHtml = false;
  for (int i = 0; i < count; ++i) {
    const std::string& path = paths[static_cast<std::size_t>(i)];
    if (progress) host.SetProgress(i, count);
    const bool html = IsHtmlFile(path);
    anyHtml = anyHtml || html;
    text += PathText(path);
    text += "\n\n";
    text += kSeparator;
    text += "\n\n";
    text += content(static_cast<std::size_t>(i));
    if (html) {
      text += "\n\n";
      text += kSeparator;
      text += "\n\n\n";
    } else {
      text += "\n\n\n";
    }
  }
  if (anyHtml) text = NormalizeBookText(text);
  return text;
}

}  // namespace assembly
