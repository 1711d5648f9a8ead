#include "platform/scsi/disc_toc_file.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace platform::scsi {
namespace {

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

class TocParser {
 public:
  TocParser(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  Disc run() {
    Disc disc;
    bool haveKind = false, haveCapacity = false, haveStatus = false;
    size_t pos = 0;
    while (pos < text_.size()) {
      size_t end = text_.find('\n', pos);
      std::string_view line = text_.substr(pos, end == std::string_view::npos ? end : end - pos);
      pos = end == std::string_view::npos ? text_.size() : end + 1;
      ++line_;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      auto w = words(line);
      if (w.empty() || w[0][0] == ';' || w[0][0] == '#') continue;
      if (w[0] == "kind") {
        once(haveKind, "kind");
        expectWords(w, 2, "kind NAME");
        auto kind = parseDiscKind(w[1]);
        if (!kind)
          fail("unknown disc kind '" + std::string(w[1]) +
               "' (expected cd-rom, cd-r, cd-rw, dvd-r, dvd+r or dvd+rw)");
        disc.kind = *kind;
      } else if (w[0] == "capacity") {
        once(haveCapacity, "capacity");
        expectWords(w, 2, "capacity SECTORS");
        disc.capacity = number(w[1]);
      } else if (w[0] == "status") {
        once(haveStatus, "status");
        expectWords(w, 2, "status blank|appendable|closed");
        auto status = parseDiscStatus(w[1]);
        if (!status)
          fail("unknown status '" + std::string(w[1]) + "' (expected blank, appendable or closed)");
        disc.status = *status;
      } else if (w[0] == "session") {
        expectWords(w, 6, "session N start LBA sectors COUNT");
        if (w[2] != "start" || w[4] != "sectors")
          fail("expected 'session N start LBA sectors COUNT'");
        if (number(w[1]) != disc.sessions.size() + 1)
          fail("session " + std::string(w[1]) + " is out of order (expected " +
               std::to_string(disc.sessions.size() + 1) + ")");
        disc.sessions.push_back({number(w[3]), number(w[5])});
        sessionLines_.push_back(line_);
      } else {
        fail("unknown line '" + std::string(line) +
             "' (expected kind, capacity, status or session)");
      }
    }
    if (!haveKind) failAt(0, "no 'kind' line");
    if (!haveStatus) failAt(0, "no 'status' line");
    if (!haveCapacity) disc.capacity = defaultCapacity(disc.kind);
    DiscProblem problem = discProblem(disc);
    if (!problem.what.empty())
      failAt(problem.session ? sessionLines_[problem.session - 1] : 0, problem.what);
    return disc;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { failAt(line_, what); }
  [[noreturn]] void failAt(int line, const std::string& what) const {
    throw DiscTocError(file_, line, what);
  }

  void once(bool& seen, const char* what) const {
    if (seen) fail(std::string("a second '") + what + "' line");
    seen = true;
  }

  void expectWords(const std::vector<std::string_view>& w, size_t count, const char* form) const {
    if (w.size() != count) fail(std::string("expected '") + form + "'");
  }

  uint32_t number(std::string_view text) const {
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
      fail("'" + std::string(text) + "' is not a number of sectors");
    return value;
  }

  std::string_view text_;
  const std::string& file_;
  int line_ = 0;
  std::vector<int> sessionLines_;
};

}  // namespace

DiscTocError::DiscTocError(const std::string& file, int line, const std::string& what)
    : corvasta::Error(line > 0 ? file + " line " + std::to_string(line) + ": " + what
                               : file + ": " + what),
      line_(line) {}

Disc parseDiscToc(std::string_view text, const std::string& fileName) {
  return TocParser(text, fileName).run();
}

std::string formatDiscToc(const Disc& disc) {
  std::ostringstream out;
  out << "; A simulated disc for Corvasta: NAME.img holds its 2048-byte sectors.\n"
      << "kind " << discKindName(disc.kind) << "\n"
      << "capacity " << disc.capacity << "\n"
      << "status " << discStatusName(disc.status) << "\n";
  for (size_t i = 0; i < disc.sessions.size(); ++i)
    out << "session " << i + 1 << " start " << disc.sessions[i].start << " sectors "
        << disc.sessions[i].sectors << "\n";
  return out.str();
}

}  // namespace platform::scsi
