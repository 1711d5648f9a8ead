#include "platform/system/journal.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "platform/core/codepage.h"
#include "platform/core/time_zone.h"
#include "platform/host/host_files.h"

namespace platform {

namespace {

constexpr size_t kTimestampLength = 19;  // YYYY-MM-DDTHH:MM:SS

bool isKindWord(std::string_view kind) {
  if (kind.empty()) return false;
  for (char c : kind)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') return false;
  return true;
}

std::string escapeControls(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '^') {
      out += "^^";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += '^';
      out += static_cast<char>(byte ^ 0x40);
    } else {
      out += c;
    }
  }
  return out;
}

std::string unescapeControls(std::string_view text, int line) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '^') {
      out += text[i];
      continue;
    }
    if (i + 1 == text.size()) throw JournalFormatError(line, "'^' at the end of the line");
    char next = text[++i];
    auto byte = static_cast<unsigned char>(next);
    if (next == '^')
      out += '^';
    else if ((byte >= 0x40 && byte < 0x60) || next == '?')
      out += static_cast<char>(byte ^ 0x40);
    else
      throw JournalFormatError(line, std::string("unknown escape '^") + next + "'");
  }
  return out;
}

bool isTimestamp(std::string_view text) {
  if (text.size() != kTimestampLength) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char expected = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : '0';
    if (expected == '0' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != expected)
      return false;
  }
  return true;
}

std::string timestampNow() {
  SystemTime local = fileTimeToSystemTime(TimeZone().toLocal(currentFileTime())).value();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", local.year, local.month,
                local.day, local.hour, local.minute, local.second);
  return text;
}

JournalEntry parseLine(std::string_view text, int line) {
  JournalEntry entry;
  size_t firstBlank = text.find(' ');
  if (firstBlank == std::string_view::npos || !isTimestamp(text.substr(0, firstBlank)))
    throw JournalFormatError(line, "expected a timestamp YYYY-MM-DDTHH:MM:SS");
  entry.timestamp = std::string(text.substr(0, firstBlank));
  std::string_view rest = text.substr(firstBlank + 1);
  size_t kindEnd = rest.find(' ');
  std::string_view kind = rest.substr(0, kindEnd);
  if (!isKindWord(kind)) throw JournalFormatError(line, "expected a kind word after the timestamp");
  entry.kind = std::string(kind);
  if (kindEnd != std::string_view::npos)
    entry.details = utf8ToAnsi(unescapeControls(rest.substr(kindEnd + 1), line));
  return entry;
}

}  // namespace

JournalFormatError::JournalFormatError(int line, const std::string& what)
    : corvasta::Error("journal.log line " + std::to_string(line) + ": " + what) {}

std::filesystem::path journalFile(const Machine& machine) {
  return machine.folder() / "journal.log";
}

void appendJournal(const Machine& machine, std::string_view kind, std::string_view details) {
  if (!isKindWord(kind))
    throw corvasta::Error("journal event kind '" + std::string(kind) + "' is not a single word");
  std::string line = timestampNow() + " " + std::string(kind);
  if (!details.empty()) line += " " + escapeControls(ansiToUtf8(details));
  line += '\n';
  std::filesystem::path file = journalFile(machine);
  // One appending write keeps each line whole even when two processes of the
  // machine record at the same time.
  if (std::error_code error = host::appendLine(file, line))
    throw corvasta::Error("Unable to write to " + file.string() + ": " + error.message());
}

std::vector<JournalEntry> parseJournal(std::string_view text) {
  std::vector<JournalEntry> entries;
  std::istringstream in{std::string(text)};
  int line = 0;
  for (std::string raw; std::getline(in, raw);) {
    ++line;
    // A last line without its LF is an event whose writer ended in the middle
    // of writing it: it never happened as far as the journal goes.
    if (in.eof() && !text.ends_with('\n')) break;
    if (!raw.empty()) entries.push_back(parseLine(raw, line));
  }
  return entries;
}

std::vector<JournalEntry> readJournal(const Machine& machine) {
  std::optional<std::string> text = host::readFile(journalFile(machine));
  if (!text) return {};
  return parseJournal(*text);
}

}  // namespace platform
